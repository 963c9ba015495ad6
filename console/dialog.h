#pragma once

#include <windows.h>

namespace pupdesk {

// One entry of the console's routing table: a message (for WM_COMMAND the
// notification code and control id too) and the member that handles it. A
// handler's result is the dialog procedure's; FALSE means default handling.
template <class T>
struct Route {
    UINT message;
    UINT code;  // WM_COMMAND only
    int id;     // WM_COMMAND only
    INT_PTR (T::*handler)(WPARAM, LPARAM);
};

// A modal dialog from a template; T lists its routes in a static kRoutes.
template <class T>
class Dialog {
  public:
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner) {
        return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, &Dialog::Proc,
                               reinterpret_cast<LPARAM>(static_cast<T*>(this)));
    }
    HWND Hwnd() const { return hwnd_; }

  protected:
    HWND hwnd_ = nullptr;

  private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        T* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<T*>(lParam);
            SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
            self->hwnd_ = hwnd;
        } else {
            self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        }
        if (self == nullptr) {
            return FALSE;
        }
        for (const Route<T>& route : T::kRoutes) {
            const bool matches = route.message == message &&
                                 (message != WM_COMMAND ||
                                  (route.code == HIWORD(wParam) && route.id == LOWORD(wParam)));
            if (matches) {
                return (self->*route.handler)(wParam, lParam);
            }
        }
        return FALSE;
    }
};

}  // namespace pupdesk
