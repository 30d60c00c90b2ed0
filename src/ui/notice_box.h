// The program's "Notice ....." boxes: a text, a "Don't Show This Notice
// Again!" check box, and the key of SKYLOG.INI that remembers the box.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

inline constexpr const char* NoticeCaption = "Notice .....";

// Shows the notice unless the key is non-zero in the configuration file, then
// writes the check box to the key ("0" or "1"). Returns the index in buttons
// of the button that closed the box, or -1 when it was not shown (or closed
// otherwise).
int ShowNoticeUnlessHidden(QWidget* parent, const char* key, const QString& text,
                           const QStringList& buttons);
