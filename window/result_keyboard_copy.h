#pragma once

#include <QObject>

class QWidget;

namespace tramela {

class ResultLabel;

// Lets a keyboard user copy a result label, which never takes the focus, from the list of
// conversions beside it. While the focus is in the list, the copy keys (Ctrl+C, Ctrl+Insert)
// put the whole text the label holds on the clipboard, and leave the clipboard alone while
// the label is empty; Shift+F10 and the Menu key open the entries of the label's own context
// menu just under it, on the first one. Elsewhere every key does what it did. The object
// belongs to the list.
//   new ResultKeyboardCopy(label1, frame1); Label1 "38,1", Ctrl+C on Option1 -> clipboard "38,1"
//   Shift+F10 on Option1, then Return on "Copia"                        -> clipboard "38,1"
class ResultKeyboardCopy : public QObject {
 public:
  ResultKeyboardCopy(ResultLabel* label, QWidget* list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void copyResult();
  void openMenu();

  ResultLabel* label_;
  QWidget* list_;
};

}  // namespace tramela
