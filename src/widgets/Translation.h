#pragma once

// The console's texts in the operator's language. A widget's text is set here from its English
// source; the widget keeps the source beside the text, so a language switch re-applies every
// text in place (RetranslateTree) without building the window again.

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string>

#include "model/TextMark.h"

class QAction;
class QComboBox;
class QTableWidget;
class QWidget;

namespace velantro {

// The context every marked text is translated in.
inline constexpr char kTextContext[] = "velantro";

// The source in the installed language (the source itself when no translation is installed or
// the text has none).
QString Translated(const char* source);
QString Translated(const QString& source);
// The same for the messages interface (UTF-8), with %1, %2 … filled in from `arguments`.
std::string Say(const char* source, std::initializer_list<QString> arguments = {});

// Each sets the translated text and keeps the source for the next language switch. SetText
// serves labels, buttons (the caption), group boxes (the title), line edits (the placeholder)
// and any other widget (the window title).
void SetText(QWidget* widget, const QString& source);
void SetToolTip(QWidget* widget, const QString& source);
void SetText(QAction* action, const QString& source);
void SetItems(QComboBox* box, const QStringList& sources);
void SetHeaderLabels(QTableWidget* table, const QStringList& sources);

// Sets every kept text of the widget, its children and their actions again, in the installed
// language.
void RetranslateTree(QWidget* root);

}  // namespace velantro
