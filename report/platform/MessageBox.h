#pragma once

// Button and icon flags of a message box, and the results it returns. The values are the ones
// templates and scripts store and compare against, so they never change.
namespace tovren::platform {

enum MessageBoxFlag : int {
    mb_Ok = 0,
    mb_OkCancel = 1,
    mb_YesNoCancel = 3,
    mb_YesNo = 4,
    mb_IconError = 16,
    mb_IconQuestion = 32,
    mb_IconWarning = 48,
    mb_IconInformation = 64,
};

inline constexpr int kMessageBoxButtonMask = 0x0F;
inline constexpr int kMessageBoxIconMask = 0xF0;

enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrYes = 6,
    mrNo = 7,
};

} // namespace tovren::platform
