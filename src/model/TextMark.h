#pragma once

// Marks an English text the operator reads, where it is written down, without translating it:
// the window shows it in the operator's language when it shows it. lupdate reads the mark as
// QT_TR_NOOP, and its context is then "velantro", the one context the window translates in, only
// for data at namespace scope (tables, constants). Inside a function lupdate may take the return
// type or the class for the context: there the Qt side writes QT_TRANSLATE_NOOP("velantro", ...).
#define VELANTRO_TEXT(text) text
