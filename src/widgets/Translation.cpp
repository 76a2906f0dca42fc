#include "widgets/Translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace velantro {
namespace {

constexpr char kSourceText[] = "sourceText";
constexpr char kSourceToolTip[] = "sourceToolTip";
constexpr char kSourceItems[] = "sourceItems";
constexpr char kSourceHeaders[] = "sourceHeaders";

void ApplyText(QWidget* widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setPlaceholderText(text);
  } else {
    widget->setWindowTitle(text);
  }
}

// The items keep their index and the current one stays current.
void ApplyItems(QComboBox* box, const QStringList& sources) {
  const bool blocked = box->blockSignals(true);
  for (int i = 0; i < sources.size() && i < box->count(); ++i) {
    box->setItemText(i, Translated(sources[i]));
  }
  box->blockSignals(blocked);
}

void Retranslate(QWidget* widget) {
  const QVariant text = widget->property(kSourceText);
  if (text.isValid()) ApplyText(widget, Translated(text.toString()));
  const QVariant tip = widget->property(kSourceToolTip);
  if (tip.isValid()) widget->setToolTip(Translated(tip.toString()));
  const QVariant items = widget->property(kSourceItems);
  if (auto* box = qobject_cast<QComboBox*>(widget); box != nullptr && items.isValid()) {
    ApplyItems(box, items.toStringList());
  }
  const QVariant headers = widget->property(kSourceHeaders);
  if (auto* table = qobject_cast<QTableWidget*>(widget); table != nullptr && headers.isValid()) {
    SetHeaderLabels(table, headers.toStringList());
  }
}

}  // namespace

QString Translated(const char* source) {
  if (source == nullptr || *source == '\0') return {};
  return QCoreApplication::translate(kTextContext, source);
}

QString Translated(const QString& source) {
  if (source.isEmpty()) return {};
  const QByteArray utf8 = source.toUtf8();
  return QCoreApplication::translate(kTextContext, utf8.constData());
}

std::string Say(const char* source, std::initializer_list<QString> arguments) {
  QString said = Translated(source);
  for (const QString& argument : arguments) said = said.arg(argument);
  return said.toStdString();
}

void SetText(QWidget* widget, const QString& source) {
  widget->setProperty(kSourceText, source);
  ApplyText(widget, Translated(source));
}

void SetText(QAction* action, const QString& source) {
  action->setProperty(kSourceText, source);
  action->setText(Translated(source));
}

void SetToolTip(QWidget* widget, const QString& source) {
  widget->setProperty(kSourceToolTip, source);
  widget->setToolTip(Translated(source));
}

void SetItems(QComboBox* box, const QStringList& sources) {
  box->setProperty(kSourceItems, sources);
  const bool blocked = box->blockSignals(true);
  const int current = box->currentIndex();
  box->clear();
  for (const QString& source : sources) box->addItem(Translated(source));
  if (current >= 0 && current < box->count()) box->setCurrentIndex(current);
  box->blockSignals(blocked);
}

void SetHeaderLabels(QTableWidget* table, const QStringList& sources) {
  table->setProperty(kSourceHeaders, sources);
  QStringList texts;
  for (const QString& source : sources) texts << Translated(source);
  table->setHorizontalHeaderLabels(texts);
}

void RetranslateTree(QWidget* root) {
  Retranslate(root);
  for (QWidget* child : root->findChildren<QWidget*>()) Retranslate(child);
  for (QAction* action : root->findChildren<QAction*>()) {
    const QVariant text = action->property(kSourceText);
    if (text.isValid()) action->setText(Translated(text.toString()));
  }
}

}  // namespace velantro
