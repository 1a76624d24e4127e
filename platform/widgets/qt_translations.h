#pragma once
// Qt's own texts (file dialogs, standard buttons, context menus) in Czech,
// from the Qt translations the system installs.

class QCoreApplication;

namespace platform {

// Loads Qt's Czech translations into the application; false when the
// system has none (the texts then stay in English).
bool InstallQtCzechTranslations(QCoreApplication& application);

}  // namespace platform
