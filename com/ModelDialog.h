// A real Win32 dialog driven by a dialog model (options/DialogModel.h): the
// model is the truth, the window only shows it and reports what the user
// does. Show copies the model's states into the controls; a command from a
// control first takes what the user typed and selected into the model, then
// hands the click to the model and shows the outcome.
//
// Used on the mail client's user-interface thread, from the dialog's own
// procedure.
#pragma once

#include <windows.h>

namespace skerrow {
class DialogModel;
}

namespace skerrow::com {

class ModelDialog {
 public:
  explicit ModelDialog(DialogModel& model) : model_(model) {}

  DialogModel& model() { return model_; }

  // The model's check, enabled, edit and list states into the window.
  void Show(HWND dialog) const;
  // The window's edit texts and list selections into the model.
  void Take(HWND dialog);
  // WM_COMMAND: a click on a button or box (BN_CLICKED) goes to the model;
  // IDCANCEL (Escape, the close box) closes it. Returns true when the model
  // has ended, so that a modal dialog ends too.
  bool OnCommand(HWND dialog, int id, int notification);

 private:
  DialogModel& model_;
};

}  // namespace skerrow::com
