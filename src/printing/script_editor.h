// SPDX-License-Identifier: GPL-3.0-or-later
// The script editor's document as the lines of a script: block i is line i, and an empty document
// holds no lines.
#pragma once

#include <QStringList>
#include <QTextDocument>

#include "printing/print_manager_model.h"

namespace orbisca {

QStringList documentLines(const QTextDocument& document);

// Replaces the changed lines through one cursor edit: a single undo step, and the rest of the
// document (its blocks, the view's scroll position) stays as it was.
void applyScriptEdit(QTextDocument& document, const ScriptEdit& edit);

}  // namespace orbisca
