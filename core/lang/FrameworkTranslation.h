// Qt's own texts in the interface language: the buttons of message boxes (Yes, No, OK,
// Cancel), the file, print, page set-up and print preview dialogs. They come from the Qt
// translations the distribution installs (qtbase_fr.qm and so on); when those are missing
// the texts stay English and Karvo works on.
#pragma once

// Installs the translation of language (0 English ... 4 Italian) for this process,
// replacing one installed before. Returns whether a translation is now installed
// (never for English, which needs none).
bool InstallFrameworkTranslation(int language);
