// The editor of one line of a door profile: times, days and the door's state in that time
// (permanently open, permanently locked or card operation). The caller sets the captions of
// the labels, the window, the special-day boxes and the three choices and which boxes are
// enabled, then Init, then shows it modally; OK writes the whole line into the caller's copy,
// "Abbruch" (Abort) and closing leave it as it was.
#pragma once

#include "profiles/ZeitlinienFenster.h"

#include "ui_IDD_EDIT_DOORTIMELINE.h"

class TIDD_EDIT_DOORTIMELINE : public TZeitlinienFenster, public Ui::IDD_EDIT_DOORTIMELINE {
  Q_OBJECT

 public:
  explicit TIDD_EDIT_DOORTIMELINE(QWidget* parent = nullptr);

  // Loads the line: 0x800 chooses `alwaysopen`, else 0x1000 `alwaysclosed`, else `normal`.
  void Init(Zeitlinie& kopie);
  // Times, ticked days and the state bit of the choice; the door word stays.
  void BitBtn1Click();
};
