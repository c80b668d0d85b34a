#pragma once
// The Qt printer beyond the drawing: the page margins a run keeps, and the
// text a PDF file gives back to searches and readers.
#include <QFont>
#include <QList>

class QPrinter;
class QString;

// Gives printer the run's margins: 10 mm on every side (printers clip
// narrower ones) until a page setup changes them.
void ApplyRunMargins(QPrinter& printer);
// Keeps printer's margins, as the user's page setup left them, for the
// rest of the run.
void KeepRunMargins(const QPrinter& printer);

// Qt's PDF maps each glyph back to the lowest code point the font draws with
// it, so a glyph a font shares between a character and its look-alike reads
// back as the look-alike ("目" as the radical U+2F6C, "～" as U+301C) and a
// search for the text finds nothing. This rewrites, in the file's glyph-to-
// text maps, every character outside code page 932 that one of fonts draws
// with the glyph of a code page 932 character, to that character (the sheet
// holds nothing else). Returns how many entries changed, -1 when the file
// could not be read or written.
int RestorePdfText(const QString& pdfPath, const QList<QFont>& fonts);
