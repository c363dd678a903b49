#include "online/HtmlLayout.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

struct Fragment {
    int Run = 0;
    std::wstring Text;
    THtmlExtent Extent;
};
using Fragments = std::vector<Fragment>;

enum class TokenKind { Word, Blank, Break };

struct Token {
    TokenKind Kind = TokenKind::Word;
    Fragments Parts; // a word or a blank can run across runs
};

bool IsHighSurrogate(wchar_t ch) {
    return ch >= 0xD800 && ch <= 0xDBFF;
}

class Tokenizer {
  public:
    Tokenizer(const THtmlText& text, const THtmlMeasure& measure)
        : m_text(text), m_measure(measure) {}

    std::vector<Token> Split() {
        for (std::size_t r = 0; r < m_text.Runs.size(); ++r) {
            const std::wstring& s = m_text.Runs[r].Text;
            for (std::size_t i = 0; i < s.size(); ++i) {
                const wchar_t ch = s[i];
                if (ch == L'\r' || ch == L'\n') {
                    if (ch == L'\r' && i + 1 < s.size() && s[i + 1] == L'\n') ++i;
                    Add(TokenKind::Break, static_cast<int>(r), L"");
                } else {
                    Add(ch == L' ' ? TokenKind::Blank : TokenKind::Word, static_cast<int>(r),
                        std::wstring(1, ch));
                }
            }
        }
        for (Token& token : m_tokens)
            for (Fragment& part : token.Parts)
                part.Extent = m_measure(part.Text, m_text.Runs[part.Run].Style);
        return std::move(m_tokens);
    }

  private:
    // Letters of one kind join the token before; within it, the run's part.
    void Add(TokenKind kind, int run, const std::wstring& chars) {
        if (kind == TokenKind::Break || m_tokens.empty() || m_tokens.back().Kind != kind)
            m_tokens.push_back({kind, {}});
        Fragments& parts = m_tokens.back().Parts;
        if (parts.empty() || parts.back().Run != run)
            parts.push_back({run, chars, {}});
        else
            parts.back().Text += chars;
    }

    const THtmlText& m_text;
    const THtmlMeasure& m_measure;
    std::vector<Token> m_tokens;
};

int WidthOf(const Fragments& parts) {
    int width = 0;
    for (const Fragment& part : parts)
        width += part.Extent.Width;
    return width;
}

class LineBuilder {
  public:
    LineBuilder(const THtmlText& text, int width, const THtmlMeasure& measure)
        : m_text(text), m_width(std::max(width, 1)), m_measure(measure) {}

    void Blank(const Fragments& parts) {
        if (m_line.empty()) return; // no line starts with a blank
        m_pending.insert(m_pending.end(), parts.begin(), parts.end());
    }

    void Word(const Fragments& parts) {
        const int width = WidthOf(parts);
        if (!m_line.empty() && m_x + WidthOf(m_pending) + width > m_width) {
            m_pending.clear();
            EndLine();
        }
        for (const Fragment& blank : m_pending)
            Place(blank);
        m_pending.clear();
        if (m_x + width <= m_width) {
            for (const Fragment& part : parts)
                Place(part);
            return;
        }
        for (const Fragment& part : parts)
            PlaceBroken(part);
    }

    // An empty line still has the height of its font.
    void Break(int run) {
        PlacePendingThatFits();
        const THtmlExtent empty = m_measure(L"", m_text.Runs[run].Style);
        Include(empty.Ascent, empty.Height - empty.Ascent);
        EndLine();
    }

    THtmlLayout Finish() {
        PlacePendingThatFits();
        if (!m_line.empty()) EndLine();
        return std::move(m_layout);
    }

  private:
    struct Placed {
        THtmlPiece Piece;
        int Ascent;
    };

    // Blanks before a break show their background, as far as they fit.
    void PlacePendingThatFits() {
        for (const Fragment& blank : m_pending)
            if (m_x + blank.Extent.Width <= m_width) Place(blank);
        m_pending.clear();
    }

    // A run's text on a line is one piece: drawn as one string, its letters
    // stand as the font spaces them, which the sum of the words' widths does
    // not always match.
    void Place(const Fragment& part) {
        Include(part.Extent.Ascent, part.Extent.Height - part.Extent.Ascent);
        if (!m_line.empty() && m_line.back().Piece.Run == part.Run) {
            THtmlPiece& last = m_line.back().Piece;
            last.Text += part.Text;
            last.Bounds.Right =
                last.Bounds.Left + m_measure(last.Text, m_text.Runs[part.Run].Style).Width;
            m_x = last.Bounds.Right;
            return;
        }
        THtmlPiece piece{part.Run,
                         m_lineIndex,
                         part.Text,
                         {m_x, 0, m_x + part.Extent.Width, part.Extent.Height}};
        m_line.push_back({std::move(piece), part.Extent.Ascent});
        m_x += part.Extent.Width;
    }

    // A word wider than the line: as many letters as fit on each line, at
    // least one at the start of a line so that the text always advances.
    void PlaceBroken(Fragment part) {
        while (m_x + part.Extent.Width > m_width) {
            std::size_t fit = LongestFittingPrefix(part);
            if (fit == 0 && m_line.empty()) fit = IsHighSurrogate(part.Text[0]) ? 2 : 1;
            fit = std::min(fit, part.Text.size());
            if (fit > 0) Place(Cut(part, 0, fit));
            EndLine();
            if (fit == part.Text.size()) return;
            part = Cut(part, fit, part.Text.size());
        }
        Place(part);
    }

    std::size_t LongestFittingPrefix(const Fragment& part) const {
        std::size_t low = 0, high = part.Text.size(); // low fits, high does not
        while (high - low > 1) {
            const std::size_t mid = (low + high) / 2;
            if (m_x + Cut(part, 0, mid).Extent.Width <= m_width)
                low = mid;
            else
                high = mid;
        }
        if (low > 0 && IsHighSurrogate(part.Text[low - 1])) --low; // keep pairs whole
        return low;
    }

    Fragment Cut(const Fragment& part, std::size_t from, std::size_t to) const {
        Fragment cut{part.Run, part.Text.substr(from, to - from), {}};
        cut.Extent = m_measure(cut.Text, m_text.Runs[part.Run].Style);
        return cut;
    }

    void Include(int ascent, int descent) {
        m_ascent = std::max(m_ascent, ascent);
        m_descent = std::max(m_descent, descent);
    }

    void EndLine() {
        for (Placed& placed : m_line) {
            Rect& box = placed.Piece.Bounds;
            const int height = box.Height();
            box.Top = m_layout.Height + m_ascent - placed.Ascent;
            box.Bottom = box.Top + height;
            m_layout.Pieces.push_back(std::move(placed.Piece));
        }
        m_layout.Height += m_ascent + m_descent;
        m_line.clear();
        m_x = m_ascent = m_descent = 0;
        ++m_lineIndex;
    }

    const THtmlText& m_text;
    const int m_width;
    const THtmlMeasure& m_measure;
    THtmlLayout m_layout;
    std::vector<Placed> m_line;
    Fragments m_pending; // blanks waiting for the next word on the line
    int m_x = 0;
    int m_ascent = 0;
    int m_descent = 0;
    int m_lineIndex = 0;
};

} // namespace

THtmlLayout LayoutHtml(const THtmlText& text, int width, const THtmlMeasure& measure) {
    LineBuilder lines(text, width, measure);
    for (const Token& token : Tokenizer(text, measure).Split()) {
        switch (token.Kind) {
        case TokenKind::Word:
            lines.Word(token.Parts);
            break;
        case TokenKind::Blank:
            lines.Blank(token.Parts);
            break;
        case TokenKind::Break:
            lines.Break(token.Parts.front().Run);
            break;
        }
    }
    return lines.Finish();
}

int HtmlLinkAt(const THtmlText& text, const THtmlLayout& layout, Point at) {
    for (const THtmlPiece& piece : layout.Pieces) {
        const int link = text.Runs[piece.Run].Link;
        if (link >= 0 && piece.Bounds.Contains(at)) return link;
    }
    return -1;
}
