#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "core/app_error.h"
#include "window/form1.h"

namespace tramela {

// A shown and active Form1 whose error sink records what it is handed and returns.
class Form1Fixture : public ::testing::Test {
 protected:
  Form1Fixture() : form_([this](const std::exception& error) { record(error); }) {}

  void SetUp() override {
    form_.show();
    QApplication::setActiveWindow(&form_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  }

  template <typename T>
  T* child(const QString& name) {
    T* widget = form_.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << "no " << name.toStdString();
    return widget;
  }

  QLineEdit* dati1() { return child<QLineEdit>(QStringLiteral("dati1")); }
  QLabel* label1() { return child<QLabel>(QStringLiteral("Label1")); }
  QRadioButton* option(const QString& name) { return child<QRadioButton>(name); }

  void type(const QString& text) { QTest::keyClicks(dati1(), text); }

  // Clicks the button's indicator, as a user does.
  void click(const QString& optionName) {
    QRadioButton* button = option(optionName);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }

  QString focusName() const {
    QWidget* focus = QApplication::focusWidget();
    return focus == nullptr ? QStringLiteral("(none)") : focus->objectName();
  }

  QString checkedName() {
    QString name;
    for (QRadioButton* button : form_.findChildren<QRadioButton*>()) {
      if (button->isChecked()) name += button->objectName();
    }
    return name;
  }

  // Run by the sink after it records, as the program's report runs while its box is shown.
  std::function<void()> duringReport_;
  int sinkCalls_ = 0;
  std::string sinkWhat_;
  std::optional<ErrorKind> sinkKind_;
  Form1 form_;

 private:
  void record(const std::exception& error) {
    ++sinkCalls_;
    sinkWhat_ = error.what();
    const auto* appError = dynamic_cast<const AppError*>(&error);
    sinkKind_ = appError ? std::optional(appError->kind()) : std::nullopt;
    if (duringReport_) duringReport_();
  }
};

}  // namespace tramela
