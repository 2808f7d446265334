#pragma once

#include <QIcon>
#include <QString>

#include <initializer_list>

class QAbstractButton;

namespace ui {

// The button glyph pack btnkit.rcc, opened only for the moment: construct it, copy
// the glyphs out, let it go. Looked for in $PXFER_BTNKIT, else next to the program,
// in ../share/pxfer from it (installed) and in the folders above it up to the build
// tree's root.
class GlyphLibrary {
public:
    GlyphLibrary();
    ~GlyphLibrary();
    GlyphLibrary(const GlyphLibrary&) = delete;
    GlyphLibrary& operator=(const GlyphLibrary&) = delete;

    bool isLoaded() const { return !m_path.isEmpty(); }
    // A copy that outlives the library; null when the pack or the glyph is missing.
    QIcon icon(const char* name) const;

    // Where the pack is, or an empty text when there is none.
    static QString locate();

private:
    QString m_path;
};

enum class Caption { Clear, Keep };

struct GlyphUse {
    QAbstractButton* button;
    const char* glyph;
    Caption caption = Caption::Clear;
};

// Puts the named glyphs on the buttons (clearing their captions unless told to keep
// them); without the pack nothing changes. True when the pack was there.
bool loadGlyphs(std::initializer_list<GlyphUse> uses);

} // namespace ui
