#include "window/form1.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QString>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

#include "window/assistive_choice.h"
#include "window/fonts.h"
#include "window/keypad_decimal_key.h"
#include "window/option_button_style.h"
#include "window/pictures.h"
#include "window/pixel_art.h"
#include "window/result_copy_menu.h"
#include "window/result_keyboard_copy.h"
#include "window/result_label.h"
#include "window/single_line_paste.h"

namespace tramela {
namespace {

// A line is drawn as a sunken rule this many pixels thick, starting at its own y.
constexpr int kLineThicknessPixels = 2;

constexpr std::string_view kResultLabelName = "Label1";
constexpr OptionId kInitialOption = OptionId::Option5;

// Labels that name a control beside them: screen readers read the control by the label.
constexpr std::pair<std::string_view, std::string_view> kLabelsOfControls[] = {
    {"Label3", "dati1"},
    {"Label5", "Label1"},
};

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString optionName(OptionId option) {
  return QStringLiteral("Option%1").arg(static_cast<int>(option));
}

QRect pixelGeometry(const ControlLayout& c) {
  const int height =
      c.kind == ControlKind::Line ? kLineThicknessPixels : toPixels(c.height);
  return {toPixels(c.left), toPixels(c.top), toPixels(c.width), height};
}

}  // namespace

Form1::Form1(ErrorSink errorSink, QWidget* parent)
    : QWidget(parent), errorSink_(std::move(errorSink)) {
  installAssistiveChoice();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("TRAMELA"));
  setWindowIcon(calculatorIcon());
  setFont(windowFont());
  resize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));

  options_ = new QButtonGroup(this);
  optionStyle_ = new OptionButtonStyle;
  optionStyle_->setParent(this);
  QGroupBox* frame1 = nullptr;
  std::array<QWidget*, kLastTabIndex + 1> byTabIndex{};
  for (const ControlLayout& layout : kForm1Layout) {
    QWidget* container = this;
    if (layout.container == Container::Frame1) container = frame1;
    QWidget* control = createControl(layout, container);
    control->setGeometry(pixelGeometry(layout));
    if (layout.kind == ControlKind::Frame) frame1 = static_cast<QGroupBox*>(control);
    if (layout.tabIndex != kNoTabIndex) byTabIndex[layout.tabIndex] = control;
  }
  const auto entries = entriesInListOrder();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    optionsInListOrder_[i] =
        static_cast<QRadioButton*>(options_->button(static_cast<int>(entries[i].option)));
  }

  // The initial selection is made before the group is wired, so that it runs nothing.
  options_->button(static_cast<int>(kInitialOption))->setChecked(true);
  updateTabStop();
  placeInTabOrder(byTabIndex);
  for (const auto& [labelName, controlName] : kLabelsOfControls) {
    findChild<QLabel*>(toQString(labelName))->setBuddy(findChild<QWidget*>(toQString(controlName)));
  }
  // The result can be selected with the mouse and copied from its context menu, or copied
  // from the keyboard in the list.
  new ResultCopyMenu(label1_);
  new ResultKeyboardCopy(label1_, frame1);
  new KeypadDecimalKey(dati1_);
  new SingleLinePaste(dati1_);
  dati1_->setFocus();

  connect(dati1_, &QLineEdit::textChanged, this, &Form1::onInputChanged);
  connect(options_, &QButtonGroup::idToggled, this, &Form1::onOptionToggled);
  connect(options_, &QButtonGroup::idPressed, this, &Form1::onOptionPressed);
  connect(options_, &QButtonGroup::idClicked, this, &Form1::onOptionClicked);
}

QWidget* Form1::createControl(const ControlLayout& layout, QWidget* container) {
  QWidget* control = nullptr;
  switch (layout.kind) {
    case ControlKind::PictureBox: {
      auto* picture = new QLabel(container);
      // Enlarged here, pixel by pixel, where the screen scales the window: Qt would blur it.
      picture->setPixmap(pixelArtForRatio(logoPixmap(), devicePixelRatioF()));
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      control = picture;
      break;
    }
    case ControlKind::Label: {
      const bool isResult = layout.name == kResultLabelName;
      auto* label = isResult ? new ResultLabel(container) : new QLabel(container);
      // A label shows its text as typed: no mark-up, no access keys.
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setText(toQString(layout.caption));
      if (isResult) {
        label->setFont(resultFont());
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        label->setPalette(palette);
        label1_ = static_cast<ResultLabel*>(label);
      }
      control = label;
      break;
    }
    case ControlKind::TextField:
      dati1_ = new QLineEdit(container);
      // No limit of the program's own on what the user types.
      dati1_->setMaxLength(std::numeric_limits<int>::max());
      control = dati1_;
      break;
    case ControlKind::Frame:
      control = new QGroupBox(toQString(layout.caption), container);
      break;
    case ControlKind::OptionButton: {
      auto* button = new QRadioButton(toQString(entryFor(layout.option).caption), container);
      button->setObjectName(optionName(layout.option));
      button->setStyle(optionStyle_);
      options_->addButton(button, static_cast<int>(layout.option));
      button->installEventFilter(this);
      return button;
    }
    case ControlKind::Line: {
      auto* line = new QFrame(container);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      control = line;
      break;
    }
  }
  control->setObjectName(toQString(layout.name));
  if (layout.kind != ControlKind::TextField) control->setFocusPolicy(Qt::NoFocus);
  return control;
}

void Form1::placeInTabOrder(const std::array<QWidget*, kLastTabIndex + 1>& byTabIndex) {
  QWidget* previous = nullptr;
  for (QWidget* control : byTabIndex) {
    if (control == nullptr || control->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) setTabOrder(previous, control);
    previous = control;
  }
}

// Only the selected button is a Tab stop, so the group is one stop in the tab order, at the
// place of its selected button. The others still take the focus from a click or an arrow.
void Form1::updateTabStop() {
  for (QAbstractButton* button : options_->buttons()) {
    button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  // Only the option buttons are watched.
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* button = static_cast<QRadioButton*>(watched);
  // The arrows walk the list as the user sees it, round from the last entry to the first.
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      moveSelection(button, -1);
      return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
      moveSelection(button, +1);
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void Form1::moveSelection(QRadioButton* from, int step) {
  const auto at = std::find(optionsInListOrder_.begin(), optionsInListOrder_.end(), from);
  const int count = static_cast<int>(optionsInListOrder_.size());
  const int index = (static_cast<int>(at - optionsInListOrder_.begin()) + step + count) % count;
  QRadioButton* to = optionsInListOrder_[index];
  to->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
  focusArrivesWithChoice_ = true;
  to->setChecked(true);
  focusArrivesWithChoice_ = false;
}

void Form1::onInputChanged(const QString& text) {
  // Accessible text changes reach QLineEdit past modality and read-only alike.
  if (reporting_) return dati1_->setText(heldInput_);
  // The result on screen no longer answers the input: no screen reader is to read it now.
  announcer_.withdraw();
  try {
    state_.inputText = text.toStdString();
  } catch (const std::exception& error) {
    report(error);
  }
}

void Form1::onOptionToggled(int id, bool checked) {
  if (!checked) return;
  if (reporting_) return options_->button(heldOption_)->setChecked(true);
  updateTabStop();
  runEntry(static_cast<OptionId>(id));
}

// A click (mouse, Space, or a screen reader's press) on a button that was not selected
// toggles it, and the toggle runs its entry; one on the selected button toggles nothing.
void Form1::onOptionPressed(int id) {
  pressedWasSelected_ = !reporting_ && options_->button(id)->isChecked();
}

void Form1::onOptionClicked(int id) {
  if (pressedWasSelected_) runEntry(static_cast<OptionId>(id));
}

// The one place that catches errors: whatever leaves the entry goes to the sink untouched,
// and Label1 keeps what it showed.
void Form1::runEntry(OptionId option) {
  // The result on screen answers the choice before this one, whatever this one gives.
  announcer_.withdraw();
  try {
    selectOption(state_, option);
    const QString result = QString::fromStdString(state_.resultText);
    const bool isNumber = entryFor(option).kind != ConversionKind::Echo;
    label1_->setResultText(result, isNumber ? ResultForm::Number : ResultForm::Text);
    announcer_.announce(options_->button(static_cast<int>(option)), result,
                        focusArrivesWithChoice_ ? ChoiceFocus::Arrives : ChoiceFocus::Stays);
    emit resultShown(options_->button(static_cast<int>(option)), label1_);
  } catch (const std::exception& error) {
    report(error);
  } catch (...) {
    report(std::runtime_error("Errore imprevisto."));
  }
}

void Form1::report(const std::exception& error) {
  reporting_ = true;
  heldInput_ = dati1_->text();
  heldOption_ = options_->checkedId();
  const auto toSink = [this](const std::exception& e) {
    errorSink_(e);
    reporting_ = false;
  };
  if (assistiveActionUnderway(*this)) return reportAfterAssistiveReply(*this, error, toSink);
  toSink(error);
}

}  // namespace tramela
