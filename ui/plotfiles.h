// The files and clipboard contents a plot leaves the window as: its picture
// as SVG (vectors) or PNG (the core painter's pixels, as the window shows
// them), its numbers as CSV, chosen by the file name's extension,
// and the one way every file is written: whole or not at all.
#pragma once

#include "canvas/displaylist.h"
#include "model/plotpicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace wavywall {

enum class FileType { svg, png, csv };

/// The type a file name asks for by its extension (.svg, .png, .csv, in any
/// case); empty for any other name.
std::optional<FileType> fileTypeOf(const QString &path);

/// An SVG picture painted at the given device pixel ratio.
QImage renderPicture(const std::string &svg, qreal pixelRatio);

/// A plot's picture at a device pixel ratio as the window shows it there:
/// the core painter's pixels of the lines (canvas/rasteriser.h) under the
/// title label of the plot's SVG picture.
QImage renderPlot(Plot plot, const std::vector<DisplayList::PlotLine> &lines, qreal pixelRatio);

/// The PNG file of renderPlot's picture.
QByteArray plotPng(Plot plot, const std::vector<DisplayList::PlotLine> &lines, qreal pixelRatio);

/// Writes the bytes to the file through a temporary file that replaces it
/// only when complete, so that a failure leaves an existing file as it was.
/// Empty on success; otherwise the message that names the file and why, in
/// Turkish like the window.
QString saveWhole(const QString &path, const QByteArray &bytes);

struct OutputFile {
    QString path;
    QByteArray bytes;
};

/// Writes every file whole, or none of them: each is checked, then written
/// to its temporary file to the last byte, and only when all are written do
/// they replace their files. Empty on success; otherwise the message for the
/// first file that could not be written.
QString saveAllOrNone(const std::vector<OutputFile> &files);

} // namespace wavywall
