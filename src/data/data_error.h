// SPDX-License-Identifier: GPL-3.0-or-later
// The error of a data file that is missing or malformed: one line that names the file and, where
// it helps, the line or record ("fdb.dat line 3: size \"x\" is not a whole number").
#pragma once

#include <QString>
#include <stdexcept>

namespace orbisca {

class DataFileError : public std::runtime_error {
public:
    explicit DataFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

}  // namespace orbisca
