#pragma once

#include <QObject>

namespace tramela {

class ResultLabel;

// The context menu of a result label: "Copia" puts the selected part of the result on the
// clipboard, or the whole result (beyond what the box shows) when nothing or all that shows
// is selected, and nothing while the label is empty; "Seleziona tutto" selects all that shows.
// The entries are in Italian, as the window is, whatever Qt translation is installed. Makes
// the label's text selectable with the mouse, without giving the label the focus. The menu
// belongs to the label.
//   new ResultCopyMenu(label1); then a right click on "38,1" and "Copia" -> clipboard "38,1"
class ResultCopyMenu : public QObject {
 public:
  explicit ResultCopyMenu(ResultLabel* label);

 private:
  void copy();
  void selectAll();

  ResultLabel* label_;
};

}  // namespace tramela
