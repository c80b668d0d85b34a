#include "res/ToolBarImages.h"

#include "res/AppIconPicture.h"

#include <QPixmap>

namespace {

// One character a pixel. '.' is the background, left transparent; the other letters
// name the standard colours: K black, r dark red, g dark green, o olive,
// n navy, p purple, t teal, G grey, R red, L green, Y yellow, B blue,
// M magenta, C cyan, W white.
struct ImageRows {
    UINT id; // the command whose button shows it
    const char* rows[kToolBarImageHeight];
};

const ImageRows kImages[] = {
    // NewFile
    {ID_FILE_NEW,
     {
         "................",
         "..KKKKKKKK......",
         "..KWWWWWWKK.....",
         "..KWWWWWWKWK....",
         "..KWWWWWWKKKK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KWWWWWWWWWK...",
         "..KKKKKKKKKKK...",
         "................",
     }},
    // Open
    {ID_FILE_OPEN,
     {
         "................",
         "..........KKK...",
         ".........K...K.K",
         "..............KK",
         ".KKK.........KKK",
         "KYWYKKKKKKK.....",
         "KWYWYWYWYWK.....",
         "KYWYWYWYWYK.....",
         "KWYWYKKKKKKKKKKK",
         "KYWYKoooooooooK.",
         "KWYKoooooooooK..",
         "KYKoooooooooK...",
         "KKoooooooooK....",
         "KKKKKKKKKKK.....",
         "................",
     }},
    // Save
    {ID_FILE_SAVE,
     {
         "................",
         ".KKKKKKKKKKKKK..",
         ".KnKWWWWWWWKnK..",
         ".KnKWWWWWWWKnK..",
         ".KnKWWWWWWWKnK..",
         ".KnKWWWWWWWKnK..",
         ".KnnKKKKKKKnnK..",
         ".KnnnnnnnnnnnK..",
         ".KnnnnnnnnnnnK..",
         ".KnnKKKKKKKnnK..",
         ".KnnKGGKWWKnnK..",
         ".KnnKGGKWWKnnK..",
         ".KnnKGGKWWKnnK..",
         "..KKKKKKKKKKKK..",
         "................",
     }},
    // Undo
    {ID_EDIT_UNDO,
     {
         "................",
         "................",
         "......nnnnn.....",
         "....nnnnnnnnn...",
         "...nnn.....nnn..",
         "..nnn.......nnn.",
         "nnnnnnn......nn.",
         ".nnnnn.......nn.",
         "..nnn.......nnn.",
         "...n.......nnn..",
         "..........nnn...",
         ".........nn.....",
         "................",
         "................",
         "................",
     }},
    // Redo
    {ID_EDIT_REDO,
     {
         "................",
         "................",
         ".....nnnnn......",
         "...nnnnnnnnn....",
         "..nnn.....nnn...",
         ".nnn.......nnn..",
         ".nn......nnnnnnn",
         ".nn.......nnnnn.",
         ".nnn.......nnn..",
         "..nnn.......n...",
         "...nnn..........",
         ".....nn.........",
         "................",
         "................",
         "................",
     }},
    // AddRow
    {ID_LINE_ADD,
     {
         "................",
         "KKKKKKKKKK......",
         "KWWKWWKWWK......",
         "KWWKWWKWWK......",
         "KKKKKKKKKK......",
         "KWWKWWKWWK......",
         "KWWKWWKWWK......",
         "KKKKKKKKKK......",
         "KYYKYYKYYK..gg..",
         "KYYKYYKYYK..gg..",
         "KKKKKKKKKKgggggg",
         "..........gggggg",
         "............gg..",
         "............gg..",
         "................",
     }},
    // AddColumn
    {ID_COLUMN_ADD,
     {
         "................",
         "KKKKKKKKKK......",
         "KWWKWWKYYK......",
         "KWWKWWKYYK......",
         "KKKKKKKKKK......",
         "KWWKWWKYYK......",
         "KWWKWWKYYK......",
         "KKKKKKKKKK......",
         "KWWKWWKYYK..gg..",
         "KWWKWWKYYK..gg..",
         "KKKKKKKKKKgggggg",
         "..........gggggg",
         "............gg..",
         "............gg..",
         "................",
     }},
    // InsertRow
    {ID_LINE_INSERT,
     {
         "................",
         ".....KKKKKKKKKK.",
         ".....KWWKWWKWWK.",
         "..B..KWWKWWKWWK.",
         "..BB.KKKKKKKKKK.",
         "BBBBBKYYKYYKYYK.",
         "BBBBBKYYKYYKYYK.",
         "..BB.KKKKKKKKKK.",
         "..B..KWWKWWKWWK.",
         ".....KWWKWWKWWK.",
         ".....KKKKKKKKKK.",
         "................",
         "................",
         "................",
         "................",
     }},
    // InsertColumn
    {ID_COLUMN_INSERT,
     {
         ".......BB.......",
         ".......BB.......",
         ".....BBBBBB.....",
         "......BBBB......",
         ".......BB.......",
         "...KKKKKKKKKK...",
         "...KWWKYYKWWK...",
         "...KWWKYYKWWK...",
         "...KKKKKKKKKK...",
         "...KWWKYYKWWK...",
         "...KWWKYYKWWK...",
         "...KKKKKKKKKK...",
         "...KWWKYYKWWK...",
         "...KWWKYYKWWK...",
         "...KKKKKKKKKK...",
     }},
    // DeleteRow
    {ID_LINE_DELETE,
     {
         "................",
         "KKKKKKKKKK......",
         "KWWKWWKWWK......",
         "KWWKWWKWWK......",
         "KKKKKKKKKK......",
         "KCCKCCKCCK......",
         "KCCKCCKCCK......",
         "KKKKKKKKKK......",
         "KWWKWWKWWK......",
         "KWWKWWKWWRR..RR.",
         "KKKKKKKKKK.RRRR.",
         "............RR..",
         "...........RRRR.",
         "..........RR..RR",
         "................",
     }},
    // DeleteColumn
    {ID_COLUMN_DELETE,
     {
         "................",
         "KKKKKKKKKK......",
         "KWWKCCKWWK......",
         "KWWKCCKWWK......",
         "KKKKKKKKKK......",
         "KWWKCCKWWK......",
         "KWWKCCKWWK......",
         "KKKKKKKKKK......",
         "KWWKCCKWWK......",
         "KWWKCCKWWRR..RR.",
         "KKKKKKKKKK.RRRR.",
         "............RR..",
         "...........RRRR.",
         "..........RR..RR",
         "................",
     }},
    // RowLink
    {ID_VIEW_LINE_LINK,
     {
         "................",
         "KKKKKKKKKKKKKKK.",
         "KYYYYKYYYYKYYYK.",
         "KYYYYKYYYYKYYYK.",
         "KKKKKKKKKKKKKKK.",
         "................",
         "................",
         "..tttt...tttt...",
         ".t....t.t....t..",
         "t....ttttt....t.",
         "t.....t.t.....t.",
         "t....ttttt....t.",
         ".t....t.t....t..",
         "..tttt...tttt...",
         "................",
     }},
    // ColumnLink
    {ID_VIEW_COLUMN_LINK,
     {
         "KKKK....ttt.....",
         "KYYK...t...t....",
         "KYYK..t.....t...",
         "KYYK..t.....t...",
         "KYYK..t.t.t.t...",
         "KKKK..tt.t.tt...",
         "KYYK...ttttt....",
         "KYYK..tt.t.tt...",
         "KYYK..t.t.t.t...",
         "KKKK..t.....t...",
         "KYYK..t.....t...",
         "KYYK...t...t....",
         "KYYK....ttt.....",
         "KKKK............",
         "................",
     }},
    // RowUp
    {ID_LINE_UP,
     {
         "................",
         "KKKKKKKKK.......",
         "KWWKWWKWK...BB..",
         "KWWKWWKWK..BBBB.",
         "KKKKKKKKK.BBBBBB",
         "KYYKYYKYK...BB..",
         "KYYKYYKYK...BB..",
         "KKKKKKKKK...BB..",
         "KWWKWWKWK...BB..",
         "KWWKWWKWK...BB..",
         "KKKKKKKKK...BB..",
         "KWWKWWKWK.......",
         "KWWKWWKWK.......",
         "KKKKKKKKK.......",
         "................",
     }},
    // RowDown
    {ID_LINE_DOWN,
     {
         "................",
         "KKKKKKKKK.......",
         "KWWKWWKWK.......",
         "KWWKWWKWK...BB..",
         "KKKKKKKKK...BB..",
         "KWWKWWKWK...BB..",
         "KWWKWWKWK...BB..",
         "KKKKKKKKK...BB..",
         "KYYKYYKYK...BB..",
         "KYYKYYKYK.BBBBBB",
         "KKKKKKKKK..BBBB.",
         "KWWKWWKWK...BB..",
         "KWWKWWKWK.......",
         "KKKKKKKKK.......",
         "................",
     }},
    // ColumnLeft
    {ID_COLUMN_LEFT,
     {
         "KKKKKKKKKKKKK...",
         "KWWKYYKWWKWWK...",
         "KWWKYYKWWKWWK...",
         "KKKKKKKKKKKKK...",
         "KWWKYYKWWKWWK...",
         "KWWKYYKWWKWWK...",
         "KKKKKKKKKKKKK...",
         "KWWKYYKWWKWWK...",
         "KKKKKKKKKKKKK...",
         "................",
         "....B...........",
         "...BB...........",
         "..BBBBBBBBBB....",
         "...BB...........",
         "....B...........",
     }},
    // ColumnRight
    {ID_COLUMN_RIGHT,
     {
         "KKKKKKKKKKKKK...",
         "KWWKWWKYYKWWK...",
         "KWWKWWKYYKWWK...",
         "KKKKKKKKKKKKK...",
         "KWWKWWKYYKWWK...",
         "KWWKWWKYYKWWK...",
         "KKKKKKKKKKKKK...",
         "KWWKWWKYYKWWK...",
         "KKKKKKKKKKKKK...",
         "................",
         "..........B.....",
         "..........BB....",
         "..BBBBBBBBBBB...",
         "..........BB....",
         "..........B.....",
     }},
    // CsvExport
    {ID_CSV_EXPORT,
     {
         ".KKKKKKKKKKKK...",
         ".KWWWWWWWWWWKK..",
         ".KWGGWGGWGGWKWK.",
         ".KWWWWWWWWWWKKKK",
         ".KWGGWGGWGGWWWWK",
         ".KWWWWWWWWWWWWWK",
         ".KWgggWgggWgWgWK",
         ".KWgWWWgWWWgWgWK",
         ".KWgWWWgggWgWgWK",
         ".KWgWWWWWgWgWgWK",
         ".KWgggWgggWWgWWK",
         ".KWWWWWWWWWWWWWK",
         ".KWWWWWWWWWWWWWK",
         ".KKKKKKKKKKKKKKK",
         "................",
     }},
    // HtmlExport
    {ID_HTML_EXPORT,
     {
         "................",
         ".....nnnnn......",
         "...nnBBgBBnn....",
         "..nBBggggBBBn...",
         "..nBgggggBBBn...",
         ".nBBBggggBBBBn..",
         ".nBBBBgBBBgggn..",
         ".nBBBBBBBggggn..",
         ".nBBBBBBBggggn..",
         ".nBBBBBBBBggBn..",
         "..nBgBBBBBgBn...",
         "..nBggBBBBBBn...",
         "...nnBgBBBnn....",
         ".....nnnnn......",
         "................",
     }},
    // CopyBitmap
    {ID_EDIT_COPY_BITMAP,
     {
         "KKKKKKKKKK......",
         "KCCCCCCCCK......",
         "KCCCCCYYCK......",
         "KCCCCCYYCK......",
         "KCCCKKKKKKKKKK..",
         "KCCgKCCCCCCCCK..",
         "KCggKCCCCCYYCK..",
         "KgggKCCCCCYYCK..",
         "KKKKKCCCCCCCCK..",
         "....KCCCCgCCCK..",
         "....KCCCgggCCK..",
         "....KCgggggggK..",
         "....KggggggggK..",
         "....KKKKKKKKKK..",
         "................",
     }},
    // Help
    // OpenOnly: a funnel
    {ID_VIEW_OPEN_ONLY,
     {
         "................",
         ".KKKKKKKKKKKKKK.",
         ".KWWWWWWWWWWWWK.",
         "..KWWWWWWWWWWK..",
         "...KWWWWWWWWK...",
         "....KWWWWWWK....",
         ".....KWWWWK.....",
         "......KWWK......",
         "......KWWK......",
         "......KWWK......",
         "......KWWK......",
         "......KWWK......",
         "......KWWKK.....",
         "......KKKK......",
         "................",
     }},
    {ID_HELP_FINDER,
     {
         "................",
         ".....nnnnnn.....",
         "....nnnnnnnn....",
         "...nnn....nnn...",
         "...nnn....nnn...",
         "..........nnn...",
         ".........nnn....",
         "........nnn.....",
         ".......nnn......",
         ".......nnn......",
         "................",
         ".......nnn......",
         ".......nnn......",
         "................",
         "................",
     }},
};

constexpr QRgb kSilver = 0xFFC0C0C0;

QRgb ColourOf(char c) {
    switch (c) {
    case 'K':
        return 0xFF000000;
    case 'r':
        return 0xFF800000;
    case 'g':
        return 0xFF008000;
    case 'o':
        return 0xFF808000;
    case 'n':
        return 0xFF000080;
    case 'p':
        return 0xFF800080;
    case 't':
        return 0xFF008080;
    case 'G':
        return 0xFF808080;
    case 'R':
        return 0xFFFF0000;
    case 'L':
        return 0xFF00FF00;
    case 'Y':
        return 0xFFFFFF00;
    case 'B':
        return 0xFF0000FF;
    case 'M':
        return 0xFFFF00FF;
    case 'C':
        return 0xFF00FFFF;
    case 'W':
        return 0xFFFFFFFF;
    default:
        return kSilver;
    }
}

const ImageRows* Find(UINT id) {
    for (const ImageRows& image : kImages)
        if (image.id == id)
            return &image;
    return nullptr;
}

} // namespace

QImage ToolBarImage(UINT id, int scale) {
    const ImageRows* image = Find(id);
    if (!image || scale < 1)
        return QImage();
    QImage result(kToolBarImageWidth * scale, kToolBarImageHeight * scale, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    // Each source pixel becomes a whole scale x scale block: edges stay as
    // sharp at 2x and 3x as at 1x, with no colour between two others.
    for (int y = 0; y < kToolBarImageHeight; ++y) {
        const char* row = image->rows[y];
        for (int x = 0; x < kToolBarImageWidth && row[x]; ++x) {
            if (row[x] == '.')
                continue;
            const QRgb colour = ColourOf(row[x]);
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    result.setPixel(x * scale + dx, y * scale + dy, colour);
        }
    }
    return result;
}

QIcon ToolBarIcon(UINT id) {
    if (!Find(id))
        return QIcon();
    QIcon icon;
    for (int scale = 1; scale <= kToolBarImageMaxScale; ++scale)
        icon.addPixmap(QPixmap::fromImage(ToolBarImage(id, scale)));
    return icon;
}

QIcon AppIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(DrawIconPicture(IconKind::Program, 32)));
    icon.addPixmap(QPixmap::fromImage(DrawIconPicture(IconKind::Program, 16)));
    return icon;
}
