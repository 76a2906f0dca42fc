#pragma once

// The console's language for the whole application: the translation of its texts, installed in
// the application, and the font its texts are drawn in.

#include "model/Messages.h"

namespace velantro {

// Installs the Chinese translation (embedded in the program) or removes it for English, and sets
// the application's style sheet with the language's font. False when the Chinese texts could not
// be loaded: the console then speaks English.
bool InstallLanguage(Language language);

// The language installed last (English before any).
Language InstalledLanguage();

}  // namespace velantro
