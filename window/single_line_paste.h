#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>

class QDropEvent;
class QLineEdit;

namespace tramela {

// Makes every paste into a single-line field drop the line breaks that come with text copied
// from a terminal line or a spreadsheet cell, as the desktop's own single-line fields do:
// line breaks (CR, LF, CR LF, U+2028, U+2029) at the start and the end go, and each one
// inside becomes one space, so that the field shows what it holds. Covers the paste keys
// (Ctrl+V, Shift+Insert), the context menu's "Incolla", the selection of the middle click
// and, on X11, of Ctrl+Shift+Insert, and a drop. Typed text is never changed, and Ctrl+Z
// takes a paste back whole, as one edit. A paste with no line breaks does what the field's
// own does. The object belongs to the field.
//   new SingleLinePaste(dati1); clipboard "1,5\r\n", Ctrl+V  -> dati1 "1,5"
//                               clipboard "1,5\n2", Ctrl+V   -> dati1 "1,5 2"
class SingleLinePaste : public QObject {
 public:
  explicit SingleLinePaste(QLineEdit* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pasteClipboard() { paste(QClipboard::Clipboard); }
  void paste(QClipboard::Mode mode);
  void endUndoStep();
  void showContextMenu(const QPoint& globalPos);
  bool dropWithoutLineBreaks(QDropEvent* drop);

  QLineEdit* field_;
};

}  // namespace tramela
