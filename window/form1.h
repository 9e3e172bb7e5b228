#pragma once

#include <QWidget>

#include <array>
#include <exception>
#include <functional>

#include "core/conversion_table.h"
#include "core/option_handling.h"
#include "window/form1_layout.h"
#include "window/result_announcer.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStyle;

namespace tramela {

class ResultLabel;

// Takes an error that escaped an option entry. In the program it reports the error and ends
// the process; it never returns there. Until it returns the window holds still (see Form1).
using ErrorSink = std::function<void(const std::exception&)>;

// The program's one window: the input field dati1, the eleven option buttons in Frame1, the
// result label Label1 and the labels, lines and logo around them, each placed where its
// layout says. Selecting an option button runs its entry on the text of dati1 and shows the
// result in Label1; so does choosing the selected button again, with the mouse or Space. An
// error from the entry goes to errorSink and Label1 stays as it was; where an assistive
// technology's action made the choice, once the action has returned (window/assistive_choice.h).
// From the error's hand-over until the sink returns, nothing changes the window by any path
// (mouse, keys, input method, drop, clipboard, assistive actions and text): no entry runs,
// and dati1 and the choice are put back at once where anything moved them.
// At start dati1 and Label1 are empty, Option5 is selected and nothing has run.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(ErrorSink errorSink, QWidget* parent = nullptr);

  // The window's copy of dati1's text and the whole result text, which Label1 shows as far
  // as its box allows.
  const FormState& formState() const { return state_; }

 signals:
  // A conversion has shown its result in result (Label1); chosen is the button that chose it.
  void resultShown(QWidget* chosen, QWidget* result);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* createControl(const ControlLayout& layout, QWidget* container);
  void placeInTabOrder(const std::array<QWidget*, kLastTabIndex + 1>& byTabIndex);
  void updateTabStop();
  void onInputChanged(const QString& text);
  void onOptionToggled(int id, bool checked);
  void onOptionPressed(int id);
  void onOptionClicked(int id);
  void moveSelection(QRadioButton* from, int step);
  void runEntry(OptionId option);
  void report(const std::exception& error);

  ErrorSink errorSink_;
  FormState state_;
  QLineEdit* dati1_ = nullptr;
  ResultLabel* label1_ = nullptr;
  QButtonGroup* options_ = nullptr;
  QStyle* optionStyle_ = nullptr;
  std::array<QRadioButton*, kOptionCount> optionsInListOrder_{};
  // Whether the button being pressed was already the selected one: choosing it again runs
  // its entry again, since the input may have changed since it last ran.
  bool pressedWasSelected_ = false;
  // Set while an arrow key moves the focus and the selection in one step.
  bool focusArrivesWithChoice_ = false;
  ResultAnnouncer announcer_;
  // While an error is being reported: the text and the choice the window holds meanwhile.
  bool reporting_ = false;
  QString heldInput_;
  int heldOption_ = 0;
};

}  // namespace tramela
