#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace test_support {

// Passes every file operation of a save to the real ones, except the one
// numbered failAt (from 1), which fails: a create, remove, rename or look-up
// without touching the disk, a write after half of its bytes (a short write),
// a close without its flush. Serves the editor's and the console's file seams,
// which have the same shape.
template <class FileOps, class OutputFile>
class FailingFileOps : public FileOps {
  public:
    FailingFileOps(int failAt, FileOps& real) : failAt_(failAt), real_(real) {}
    int calls = 0;

    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        if (Fails()) {
            return nullptr;
        }
        std::unique_ptr<OutputFile> file = real_.Create(path);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<File>(this, std::move(file));
    }
    bool Remove(const std::string& path) override { return !Fails() && real_.Remove(path); }
    bool Rename(const std::string& from, const std::string& to) override {
        return !Fails() && real_.Rename(from, to);
    }
    bool Exists(const std::string& path) override { return !Fails() && real_.Exists(path); }

  private:
    struct File : OutputFile {
        File(FailingFileOps* ops, std::unique_ptr<OutputFile> real)
            : ops(ops), real(std::move(real)) {}
        bool Write(std::string_view bytes) override {
            if (ops->Fails()) {
                real->Write(bytes.substr(0, bytes.size() / 2));
                return false;
            }
            return real->Write(bytes);
        }
        bool Close() override { return !ops->Fails() && real->Close(); }
        FailingFileOps* ops;
        std::unique_ptr<OutputFile> real;
    };
    bool Fails() { return ++calls == failAt_; }
    int failAt_;
    FileOps& real_;
};

}  // namespace test_support
