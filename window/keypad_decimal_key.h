#pragma once

#include <QObject>

class QLineEdit;

namespace tramela {

// Makes the numeric keypad's decimal key type the decimal separator of the convention a
// conversion reads numbers in, as spreadsheets and calculators do: on an Italian keyboard
// the key sends ".", which in Italian groups digits, so 1.5 typed there would read as 15.
// Every other key, the main keyboard's "." included, types its own text, and a paste is left
// to the field (window/single_line_paste.h). The insertion is an ordinary edit: Ctrl+Z takes
// it back. The object belongs to the field.
//   new KeypadDecimalKey(dati1); keypad "." under it_IT -> ","; under en_US -> "."
class KeypadDecimalKey : public QObject {
 public:
  explicit KeypadDecimalKey(QLineEdit* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* field_;
};

}  // namespace tramela
