// A notification for the host about a user's gesture on the editor: the start of an edit, a
// new value, the end of an edit. An editor that runs on a thread of its own queues these and
// has the binding deliver them on the host's thread (see IPlugEditor::DeferHostNotification).
#pragma once

struct HostNotification {
  enum class Kind { BeginEdit, Automate, EndEdit };

  Kind kind = Kind::Automate;
  int paramIdx = 0;
  double value = 0.0;  // the normalised value of Automate; 0 otherwise

  bool operator==(const HostNotification&) const = default;
};
