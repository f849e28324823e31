#pragma once

#include "data/dberror.h"

#include <QString>
#include <deque>
#include <vector>

class QWidget;

// Every message box of the program goes through here, so that tests can see
// what would have been shown and answer it without a modal dialog.
namespace shell {

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct ShownMessage {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    // The button Enter presses: the first one, or No for a question that
    // deletes or duplicates.
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// Shows a modal message box over the active window (or parent) and answers the
// button pressed. Closing the box by Escape or its frame answers Cancel where
// there is a Cancel button, No for Yes/No and Ok for a lone OK.
MessageAnswer showMessage(const QString &title, const QString &text, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok, QWidget *parent = nullptr);

// A warning with an OK button ("Invalid Permission", "Invalid Username").
void showWarning(const QString &title, const QString &text, QWidget *parent = nullptr);
// A Yes/No question; true for Yes.
bool askYesNo(const QString &title, const QString &text, MessageIcon icon = MessageIcon::Question,
              QWidget *parent = nullptr);

// A Yes/No question that deletes or duplicates something: No is the default
// button, so Enter never destroys. True for Yes.
bool askYesDefaultNo(const QString &title, const QString &text, MessageIcon icon = MessageIcon::Question,
                     QWidget *parent = nullptr);

// A statement the database refused: the database's message and the statement,
// as a critical message titled "Database Error". The caller's screen stays as
// it was, so the user can correct the input or try again.
void showDbError(const data::DbError &error, QWidget *parent = nullptr);

// Runs work (typically a button's handler) and shows any database error it
// raises through showDbError instead of letting it escape into the event loop.
// Answers true when work finished without one.
template <typename Work>
bool reportingDbErrors(Work &&work, QWidget *parent = nullptr);

// For tests: while one exists, nothing is shown on screen; every message is
// recorded and answered from the scripted queue. With the queue empty a
// message is answered by its first button (Ok or Yes). Recorders nest; the
// newest one records.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    // Queues the answer for the next message shown.
    void answer(MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<ShownMessage> &messages() const { return m_messages; }
    // The most recent message; an empty one when none was shown.
    ShownMessage last() const { return m_messages.empty() ? ShownMessage() : m_messages.back(); }
    int count() const { return int(m_messages.size()); }
    void clear() { m_messages.clear(); }
    // Answers still queued (a test usually expects none to be left).
    int unusedAnswers() const { return int(m_answers.size()); }

private:
    friend MessageAnswer ask(const ShownMessage &, QWidget *);
    MessageAnswer take(const ShownMessage &message);

    std::vector<ShownMessage> m_messages;
    std::deque<MessageAnswer> m_answers;
    MessageRecorder *m_previous = nullptr;
};

template <typename Work>
bool reportingDbErrors(Work &&work, QWidget *parent)
{
    try {
        work();
        return true;
    } catch (const data::DbError &error) {
        showDbError(error, parent);
        return false;
    }
}

} // namespace shell
