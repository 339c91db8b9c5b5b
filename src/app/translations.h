#pragma once

namespace appshell {

// Loads Qt's own Japanese texts (standard buttons, dialog captions) from the Qt translations
// folder, so that はい/いいえ/キャンセル stand where Yes/No/Cancel would. False when the
// translations are not installed; the program then runs with Qt's English texts.
bool installQtTranslations();

} // namespace appshell
