#include "window/form1_layout.h"

#include <QApplication>
#include <QGroupBox>
#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>

#include "window/form1.h"
#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

using Form1Layout = Form1Fixture;

// The widget class of each kind of control; the result label is a label of its own.
const char* className(const ControlLayout& c) {
  switch (c.kind) {
    case ControlKind::PictureBox: return "QLabel";
    case ControlKind::Label: return c.name == "Label1" ? "tramela::ResultLabel" : "QLabel";
    case ControlKind::TextField: return "QLineEdit";
    case ControlKind::Frame: return "QGroupBox";
    case ControlKind::OptionButton: return "QRadioButton";
    case ControlKind::Line: return "QFrame";
  }
  return "";
}

// A line is drawn as a rule this many pixels thick from its y.
constexpr int kLinePixels = 2;

void expectPlacedAsTheTableSays(const Form1& form) {
  // Nothing else is placed: as many widgets in the window and in the frame as in the table.
  const auto* frame = form.findChild<QGroupBox*>(QStringLiteral("Frame1"));
  ASSERT_NE(frame, nullptr);
  const auto inFrame = std::count_if(kForm1Layout.begin(), kForm1Layout.end(),
                                     [](const ControlLayout& c) { return c.container == Container::Frame1; });
  EXPECT_EQ(form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
            static_cast<qsizetype>(kForm1Layout.size()) - inFrame);
  EXPECT_EQ(frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), inFrame);
  for (const ControlLayout& c : kForm1Layout) {
    const QString name = c.kind == ControlKind::OptionButton
                             ? QStringLiteral("Option%1").arg(static_cast<int>(c.option))
                             : QString::fromLatin1(c.name.data(), static_cast<qsizetype>(c.name.size()));
    const QWidget* widget = form.findChild<QWidget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    if (widget == nullptr) continue;
    EXPECT_STREQ(widget->metaObject()->className(), className(c)) << name.toStdString();
    const QWidget* parent = widget->parentWidget();
    EXPECT_EQ(parent ? parent->objectName() : QString(), c.container == Container::Frame1 ? "Frame1" : "Form1")
        << name.toStdString();
    const int height = c.kind == ControlKind::Line ? kLinePixels : toPixels(c.height);
    EXPECT_EQ(widget->geometry(), QRect(toPixels(c.left), toPixels(c.top), toPixels(c.width), height))
        << name.toStdString();
  }
}

TEST_F(Form1Layout, EveryControlSitsInItsBox) {
  EXPECT_EQ(form_.objectName(), "Form1");
  EXPECT_EQ(form_.windowTitle(), "TRAMELA");
  EXPECT_EQ(form_.size(), QSize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips)));
  expectPlacedAsTheTableSays(form_);
}

TEST_F(Form1Layout, ResizingMovesNothingAndTheWindowStaysResizable) {
  form_.resize(500, 700);
  QApplication::processEvents();
  EXPECT_EQ(form_.size(), QSize(500, 700));
  expectPlacedAsTheTableSays(form_);
  form_.resize(200, 300);
  QApplication::processEvents();
  EXPECT_EQ(form_.size(), QSize(200, 300));
  expectPlacedAsTheTableSays(form_);
}

// The option buttons from the top of the list down show the program's own captions.
TEST_F(Form1Layout, OptionButtonsShowTheirCaptionsInListOrder) {
  const char* const kCaptions[] = {
      "scegliere una delle seguenti opzioni", "pollici to millimetri", "millimetri to pollici",
      "metri to yards", "yards to metri", "grammi to grani", "grani to grammi", "Kgm to joule",
      "joule to Kgm", "mt./sec. to ft./sec", "ft./sec. to mt./sec."};
  QList<QRadioButton*> buttons = form_.findChildren<QRadioButton*>();
  std::ranges::sort(buttons, {}, [](const QRadioButton* b) { return b->y(); });
  ASSERT_EQ(buttons.size(), std::ssize(kCaptions));
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->text().toStdString(), kCaptions[i])
        << buttons[i]->objectName().toStdString();
  }
}

TEST_F(Form1Layout, LabelsAndFrameShowTheirCaptions) {
  const struct {
    const char* name;
    const char* caption;
  } kCaptions[] = {
      {"Label4", "TRAMELA - utilizzare la virgola come separatore dei decimali (non il punto)."},
      {"Label3", "Inserire i dati da convertire"},
      {"Label5", "RISULTATO CONVERSIONE"},
      {"Label1", ""},
  };
  for (const auto& row : kCaptions) {
    SCOPED_TRACE(row.name);
    const QLabel* label = child<QLabel>(QString::fromLatin1(row.name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), row.caption);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }
  EXPECT_EQ(child<QGroupBox>(QStringLiteral("Frame1"))->title(), "CONVERSIONI");
}

}  // namespace
}  // namespace tramela
