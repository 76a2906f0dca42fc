#pragma once

// velantroctl speaks English unless told --lang zh: then its help, its messages and the names and
// words of its text output are Chinese, from the console's own translation built into the
// program. --json, values and exit codes never change.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts for the translation
#include <initializer_list>
#include <string>

#include "model/Messages.h"

namespace velantro::ctl {

// Loads the Chinese translation, or drops it for English. False when it could not be loaded.
bool UseLanguage(Language language);

// The language UseLanguage chose.
Language LanguageInUse();

// An English text of the output in the language in use.
std::string Say(const char* english);
// The same with %1, %2 … filled in from `arguments` in one pass: an argument that holds "%2" (a
// file name) stays as it is.
std::string SayWith(const char* english, std::initializer_list<std::string> arguments);
// "velantroctl: " and the text on stderr, as every message of the program starts.
void Complain(const std::string& text);
// An address as the messages show it: 0x0105.
std::string Hex(unsigned address);
// A parameter's name as `list` prints it, in the language in use.
std::string SayLabel(const std::string& english);
// How many terminal columns a UTF-8 text takes: Chinese characters take two.
size_t DisplayWidth(const std::string& text);

}  // namespace velantro::ctl
