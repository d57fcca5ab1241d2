// The files and clipboard contents a plot leaves the window as: its picture
// as SVG or PNG, its numbers as CSV, chosen by the file name's extension,
// and the one way every file is written: whole or not at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <string>

namespace wavywall {

enum class FileType { svg, png, csv };

/// The type a file name asks for by its extension (.svg, .png, .csv, in any
/// case); empty for any other name.
std::optional<FileType> fileTypeOf(const QString &path);

/// An SVG picture painted at the given device pixel ratio.
QImage renderPicture(const std::string &svg, qreal pixelRatio);

/// The PNG file of an SVG picture at the given device pixel ratio.
QByteArray pngBytes(const std::string &svg, qreal pixelRatio);

/// Writes the bytes to the file through a temporary file that replaces it
/// only when complete, so that a failure leaves an existing file as it was.
/// Empty on success; otherwise the message that names the file and why.
QString saveWhole(const QString &path, const QByteArray &bytes);

} // namespace wavywall
