// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the program's name and version, its licences and its homepage.
#pragma once

#include <QString>

class QWidget;

namespace orbisca {

class WorkingFolder;

// The box's text as rich text, every word from the texts but the name, version and address.
QString aboutText(const WorkingFolder& folder);

// Shows the box, modal over `parent` (or on its own).
void showAboutBox(const WorkingFolder& folder, QWidget* parent);

}  // namespace orbisca
