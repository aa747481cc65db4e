#pragma once
// Texts and paths between the core's standard strings and Qt's.

#include <QFile>
#include <QString>

#include <filesystem>
#include <string_view>

namespace ui {

// The core's texts are UTF-8.
inline QString qtext(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A file name the user picked, in the file system's own encoding.
inline std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace ui
