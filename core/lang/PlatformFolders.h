// The platform's folders for what Karvo keeps per user. One implementation per platform
// is built (chosen in cmake/Platform.cmake); nothing else in Karvo knows which.
#pragma once

#include <QString>

// The folder of the profile karvo.ini: the user's configuration folder (~/.config) on
// Linux, the user's application data folder (%APPDATA%\Karvo) on Windows.
QString ProfileFolder();
