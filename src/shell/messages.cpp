#include "shell/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace shell {

namespace {
MessageRecorder *g_recorder = nullptr;

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer firstAnswer(MessageButtons buttons)
{
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
}
} // namespace

MessageRecorder::MessageRecorder() : m_previous(g_recorder)
{
    g_recorder = this;
}

MessageRecorder::~MessageRecorder()
{
    g_recorder = m_previous;
}

MessageAnswer MessageRecorder::take(const ShownMessage &message)
{
    m_messages.push_back(message);
    if (m_answers.empty())
        return firstAnswer(message.buttons);
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

MessageAnswer ask(const ShownMessage &message, QWidget *parent)
{
    if (g_recorder)
        return g_recorder->take(message);

    const MessageButtons buttons = message.buttons;
    QMessageBox box(boxIcon(message.icon), message.title, message.text, boxButtons(buttons),
                    parent ? parent : QApplication::activeWindow());
    if (buttons == MessageButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    if (message.defaultAnswer == MessageAnswer::No)
        box.setDefaultButton(QMessageBox::No);
    // A message box must not show the busy cursor of the work that raised it.
    const bool overridden = QApplication::overrideCursor() != nullptr;
    if (overridden)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int pressed = box.exec();
    if (overridden)
        QApplication::restoreOverrideCursor();
    switch (pressed) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    if (buttons == MessageButtons::YesNo)
        return MessageAnswer::No;
    if (buttons != MessageButtons::Ok)
        return MessageAnswer::Cancel;
    return MessageAnswer::Ok;
}

MessageAnswer showMessage(const QString &title, const QString &text, MessageIcon icon, MessageButtons buttons,
                          QWidget *parent)
{
    return ask({title, text, icon, buttons, firstAnswer(buttons)}, parent);
}

void showWarning(const QString &title, const QString &text, QWidget *parent)
{
    showMessage(title, text, MessageIcon::Warning, MessageButtons::Ok, parent);
}

bool askYesNo(const QString &title, const QString &text, MessageIcon icon, QWidget *parent)
{
    return showMessage(title, text, icon, MessageButtons::YesNo, parent) == MessageAnswer::Yes;
}

bool askYesDefaultNo(const QString &title, const QString &text, MessageIcon icon, QWidget *parent)
{
    return ask({title, text, icon, MessageButtons::YesNo, MessageAnswer::No}, parent) == MessageAnswer::Yes;
}

void showDbError(const data::DbError &error, QWidget *parent)
{
    showMessage(QStringLiteral("Database Error"), error.text(), MessageIcon::Critical, MessageButtons::Ok, parent);
}

} // namespace shell
