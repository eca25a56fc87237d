// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/text_case.h"

namespace orbisca {

QString applyCasePattern(const QString& text, const QString& pattern) {
    QString result = text;
    qsizetype wordIndex = 0;
    QChar rule;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const bool wordStart = i == 0 || text.at(i - 1) == u' ';
        if (wordStart) {
            rule = wordIndex < pattern.size() ? pattern.at(wordIndex) : QChar();
            ++wordIndex;
        }
        QChar& c = result[i];
        if (c == u' ') continue;
        if (rule == u'B' || (rule == u'A' && wordStart))
            c = c.toUpper();
        else if (rule == u'a' || rule == u'A')
            c = c.toLower();
    }
    return result;
}

}  // namespace orbisca
