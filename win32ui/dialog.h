#pragma once

// The dialog base of both programs: a dialog run from its template, with a
// static routing table in the manner of a message map.

#include <windows.h>

#include "win32ui/language.h"

namespace win32ui {

// One entry of a dialog's routing table: which message (and for WM_COMMAND
// and WM_NOTIFY which notification code from which control) goes to which
// member. A handler's result is the dialog procedure's result: FALSE hands
// the message on to the platform's default handling.
template <class T>
struct Route {
    UINT message;
    UINT code;  // WM_COMMAND and WM_NOTIFY only
    int id;     // WM_COMMAND and WM_NOTIFY only
    INT_PTR (T::*handler)(WPARAM, LPARAM);
};

// A dialog run from a template; T lists its routes in a static kRoutes table.
template <class T>
class Dialog {
  public:
    // Runs the dialog from its template in the shown language.
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND parent) {
        // A Unicode dialog: the template's texts show whatever the system's
        // code page.
        return DialogBoxIndirectParamW(instance, LoadDialogTemplate(instance, templateId), parent,
                                       &Dialog::Proc,
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
        return self != nullptr ? self->Dispatch(message, wParam, lParam) : FALSE;
    }

    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
        UINT code = 0;
        int id = 0;
        const bool fromControl = message == WM_COMMAND || message == WM_NOTIFY;
        if (message == WM_COMMAND) {
            code = HIWORD(wParam);
            id = LOWORD(wParam);
        } else if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            code = header->code;
            id = static_cast<int>(header->idFrom);
        }
        T* self = static_cast<T*>(this);
        for (const Route<T>& route : T::kRoutes) {
            if (route.message == message &&
                (!fromControl || (route.code == code && route.id == id))) {
                return (self->*route.handler)(wParam, lParam);
            }
        }
        return FALSE;
    }
};

}  // namespace win32ui
