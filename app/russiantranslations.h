#pragma once

class QCoreApplication;

// Makes the toolkit's own texts (the context menus of text fields and the
// like) Russian, as all the program's wording is, whatever the user's locale.
// Without the toolkit's Russian translation installed they stay as they are.
void InstallRussianTranslations(QCoreApplication& app);
