#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace zolt {

// Owns an image list.
class ImageList {
  public:
    ImageList() = default;
    explicit ImageList(HIMAGELIST handle) : handle_(handle) {}
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ImageList& operator=(ImageList&& other) noexcept {
        Reset(other.handle_);
        other.handle_ = nullptr;
        return *this;
    }
    ~ImageList() { Reset(nullptr); }

    HIMAGELIST Get() const { return handle_; }
    void Reset(HIMAGELIST handle) {
        if (handle_ != nullptr) {
            ImageList_Destroy(handle_);
        }
        handle_ = handle;
    }

  private:
    HIMAGELIST handle_ = nullptr;
};

class TreeView {
  public:
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    HWND Hwnd() const { return hwnd_; }

    HTREEITEM Append(HTREEITEM parent, const std::string& text, LPARAM data);
    HTREEITEM FirstRoot() const;
    HTREEITEM NextSibling(HTREEITEM item) const;
    HTREEITEM FirstChild(HTREEITEM item) const;
    HTREEITEM Selection() const;
    std::string Text(HTREEITEM item) const;
    LPARAM Data(HTREEITEM item) const;
    void Expand(HTREEITEM item);
    void Select(HTREEITEM item);

  private:
    HWND hwnd_ = nullptr;
};

// A list view in list mode.
class ListView {
  public:
    // Holds the list's drawing and layout while it is refilled, and makes
    // room for the items first: a refill of thousands of items stays quick.
    class Refill {
      public:
        Refill(ListView& list, int expectedCount);
        ~Refill();
        Refill(const Refill&) = delete;
        Refill& operator=(const Refill&) = delete;

      private:
        HWND hwnd_;
    };

    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    HWND Hwnd() const { return hwnd_; }

    void Clear();
    int Append(const std::string& text, int image, LPARAM data);
    int Count() const;
    LPARAM Data(int index) const;
    void SetData(int index, LPARAM data);
    int SelectionMark() const;
    void SetSelectionMark(int index);
    void SetSmallImages(HIMAGELIST images);
    int ClientWidth() const;
    void SetColumnWidth(int width);
    HIMAGELIST CreateDragImage(int index) const;
    // The item under a point in the list's client coordinates, or -1.
    int HitTest(POINT point) const;

  private:
    HWND hwnd_ = nullptr;
};

}  // namespace zolt
