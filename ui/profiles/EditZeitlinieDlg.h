// The editor of one line of an access profile: times, days and the three door boxes. The
// caller sets the captions of the labels, the window, the door and special-day boxes and
// which of them are enabled, then Init, then shows it modally; OK writes the whole line into
// the caller's copy, "Abbruch" (Abort) and closing leave it as it was.
#pragma once

#include <cstdint>

#include "profiles/ZeitlinienFenster.h"

#include "ui_IDD_EDIT_TIMELINE.h"

class TIDD_EDIT_TIMELINE : public TZeitlinienFenster, public Ui::IDD_EDIT_TIMELINE {
  Q_OBJECT

 public:
  explicit TIDD_EDIT_TIMELINE(QWidget* parent = nullptr);

  // Loads the line; `maske` is the document's reader-to-door word, which limits the door
  // bits OK gives a line.
  void Init(Zeitlinie& kopie, std::uint16_t maske);
  // Times and ticked days; with a door box ticked the line is in use (0x1000) and gets that
  // door's bits of the mask; an unticked door loses both its bits.
  void BitBtn1Click();

 private:
  std::uint16_t Maske = 0;
};
