#pragma once
// The toolkit's own texts (file dialogs, a text field's context menu, the buttons of message
// boxes) in Russian, as the rest of the program: Qt's Russian translation, qtbase_ru.qm, from the
// folder of Qt's translations (Debian: qt6-translations-l10n).

class QCoreApplication;

namespace vardo::mainwindow {

// Loads the translation and installs it in app; false when it is not installed (the toolkit's
// texts then stay in English).
bool installToolkitTranslation(QCoreApplication* app);

}  // namespace vardo::mainwindow
