#pragma once

class QCoreApplication;

namespace tramela {

// Puts Qt's own texts (context menus, standard buttons) into Italian by installing Qt's
// Italian translation from the system's translations folder. Returns false, leaving Qt's
// English texts, when that translation is not installed.
//   installItalianQtTexts(app) -> true; the context menu of a line edit reads "&Annulla", ...
bool installItalianQtTexts(QCoreApplication& app);

}  // namespace tramela
