#include "res/ToolBarImages.h"

#include "res/AppIconPicture.h"

#include <QPainter>
#include <QPixmap>

namespace {

// One character a pixel. '.' is the silver background; the other letters
// name the standard colours: K black, r dark red, g dark green, o olive,
// n navy, p purple, t teal, G grey, R red, L green, Y yellow, B blue,
// M magenta, C cyan, W white.
struct ImageRows {
    const char* rows[kToolBarImageHeight];
};

const ImageRows kImages[kToolBarImageCount] = {
    // NewFile
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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
    {{
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

// Draws image index at x0 of target; the background is left as it is.
void Paint(QImage& target, int index, int x0) {
    const ImageRows& image = kImages[index];
    for (int y = 0; y < kToolBarImageHeight; ++y) {
        const char* row = image.rows[y];
        for (int x = 0; x < kToolBarImageWidth && row[x]; ++x) {
            if (row[x] != '.')
                target.setPixel(x0 + x, y, ColourOf(row[x]));
        }
    }
}

} // namespace

QImage ToolBarStrip() {
    QImage strip(kToolBarImageWidth * kToolBarImageCount, kToolBarImageHeight,
                 QImage::Format_RGB32);
    strip.fill(kSilver);
    for (int i = 0; i < kToolBarImageCount; ++i)
        Paint(strip, i, i * kToolBarImageWidth);
    return strip;
}

QIcon ToolBarIcon(int index) {
    if (index < 0 || index >= kToolBarImageCount)
        return QIcon();
    QImage image(kToolBarImageWidth, kToolBarImageHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    Paint(image, index, 0);
    return QIcon(QPixmap::fromImage(image));
}

QIcon AppIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(DrawIconPicture(IconKind::Program, 32)));
    icon.addPixmap(QPixmap::fromImage(DrawIconPicture(IconKind::Program, 16)));
    return icon;
}
