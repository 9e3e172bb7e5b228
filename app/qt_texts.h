#pragma once

class QCoreApplication;

namespace tramela {

// Puts Qt's own texts (context menus, standard buttons) into Italian by installing Qt's
// Italian translation: the copy built into the program where there is one (on Windows),
// else the one in the system's translations folder. Returns false, leaving Qt's English
// texts, when neither is there.
//   installItalianQtTexts(app) -> true; the context menu of a line edit reads "&Annulla", ...
bool installItalianQtTexts(QCoreApplication& app);

}  // namespace tramela
