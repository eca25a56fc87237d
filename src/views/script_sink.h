// SPDX-License-Identifier: GPL-3.0-or-later
// Where the lines of an exported view go: the print manager's script (its editor, later) and the
// second list that holds the lines of the year page. The renderers only append.
#pragma once

#include <QString>
#include <QStringList>

namespace orbisca {

class ScriptSink {
public:
    virtual ~ScriptSink() = default;
    virtual void append(const QString& line) = 0;
};

// A sink that keeps the lines in a list.
class ScriptLines : public ScriptSink {
public:
    void append(const QString& line) override { lines.append(line); }
    QStringList lines;
};

}  // namespace orbisca
