#pragma once

#include <QChar>

#include <functional>

class QComboBox;
class QLineEdit;
class QObject;

namespace shell {

// Type-ahead in a drop-down list: the keys typed within a second of each other
// into the same list form a search text, and the first entry that begins with
// it (ignoring case) is selected as if picked with the mouse. A pause of a
// second or more, or a key in another list, starts a new search. One search
// state serves the whole program. The list's own text is never edited by
// typing: every character key is consumed, backspace and Enter included (they
// become part of the search text, so they usually match nothing until the
// next search starts).
void ComboTypeAhead(QComboBox *list, QChar key);

// Makes a list use ComboTypeAhead for every character key it receives (its
// open drop-down too). Arrow and page keys still move through the list, and
// Tab still moves the focus.
void attachTypeAhead(QComboBox *list);

// Runs handler whenever the list's entry changes (chosen by the program or by
// the user) and on every pick by the user, the entry already shown included: a
// lookup tied to the list then runs for each pick, whether or not the entry
// changed. A pick that changes the entry runs the handler once.
void onPick(QComboBox *list, QObject *context, std::function<void()> handler);

// Makes a text field select its whole text whenever it receives the focus, so
// that typing replaces the content. A masked field (phone, fax) selects its
// whole text too, mask characters included, whatever brought the focus.
void attachSelectOnFocus(QLineEdit *field);

// Forgets the search in progress (tests start from a clean state).
void resetTypeAhead();

} // namespace shell
