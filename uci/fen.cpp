#include "uci/fen.h"

#include <charconv>
#include <cstring>
#include <optional>

#include "rules/Deplacements.h"
#include "rules/fonctions.h"

namespace {

std::optional<long long> ParseNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
        if (j > i) words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

std::string WriteFen(const Position& p, const FenState& g) {
    std::string fen;
    for (int row = 0; row < 8; ++row) {
        int empty = 0;
        for (int col = 0; col < 8; ++col) {
            const int code = p.squares[row * 8 + col];
            if (code == 0) {
                ++empty;
                continue;
            }
            if (empty) fen += static_cast<char>('0' + empty);
            empty = 0;
            const char letter = PieceLetters[code < 0 ? -code : code];
            fen += code > 0 ? static_cast<char>(letter - 'a' + 'A') : letter;
        }
        if (empty) fen += static_cast<char>('0' + empty);
        if (row < 7) fen += '/';
    }
    fen += g.blackToMove ? " b " : " w ";
    std::string castling;
    if (p.whiteCanCastleShort) castling += 'K';
    if (p.whiteCanCastleLong) castling += 'Q';
    if (p.blackCanCastleShort) castling += 'k';
    if (p.blackCanCastleLong) castling += 'q';
    fen += castling.empty() ? "-" : castling;
    fen += ' ';
    // The record keeps the square of the pawn; a FEN names the square it
    // passed over.
    const int e = p.enPassantSquare;
    if (e >= 0)
        fen += SquareName(p.squares[e] > 0 ? e + 8 : e - 8);
    else
        fen += '-';
    fen += ' ' + std::to_string(g.halfmoveClock) + ' ' + std::to_string(g.fullmoveNumber);
    return fen;
}

std::string ReadFen(const std::vector<std::string_view>& fields, Position& p, FenState& g) {
    if (fields.size() < 2) return "FEN needs at least the board and the side to move";
    p = Position{};
    p.enPassantSquare = -1;

    int row = 0, col = 0;
    for (const char ch : fields[0]) {
        if (ch == '/') {
            if (col != 8 || row >= 7) return "bad FEN board";
            ++row;
            col = 0;
        } else if (ch >= '1' && ch <= '8') {
            col += ch - '0';
            if (col > 8) return "bad FEN board";
        } else {
            const char lower = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
            const char* found = lower == ' ' ? nullptr : std::strchr(PieceLetters, lower);
            if (found == nullptr || *found == '\0' || col >= 8) return "bad FEN board";
            const int kind = static_cast<int>(found - PieceLetters);
            p.squares[row * 8 + col] = static_cast<PieceCode>(ch == lower ? -kind : kind);
            ++col;
        }
    }
    if (row != 7 || col != 8) return "bad FEN board";

    if (fields[1] == "w")
        g.blackToMove = false;
    else if (fields[1] == "b")
        g.blackToMove = true;
    else
        return "bad FEN side to move";

    // A position the rules cannot play from is refused.
    int kings[2] = {0, 0}, pieces[2] = {0, 0}, pawns[2] = {0, 0};
    for (int s = 0; s < 64; ++s) {
        const int code = p.squares[s];
        if (code == 0) continue;
        const int colour = code > 0 ? 0 : 1;
        ++pieces[colour];
        if (code == 1) p.whiteKingSquare = static_cast<std::int8_t>(s);
        if (code == -1) p.blackKingSquare = static_cast<std::int8_t>(s);
        if (code == 1 || code == -1) ++kings[colour];
        if (code == 6 || code == -6) {
            ++pawns[colour];
            if (s < 8 || s >= 56) return "impossible position: a pawn on the first or last rank";
        }
    }
    if (kings[0] != 1 || kings[1] != 1) return "impossible position: each side needs exactly one king";
    if (pieces[0] > 16 || pieces[1] > 16 || pawns[0] > 8 || pawns[1] > 8)
        return "impossible position: too many pieces";

    if (fields.size() > 2 && fields[2] != "-") {
        for (const char ch : fields[2]) {
            if (ch == 'K') p.whiteCanCastleShort = 1;
            else if (ch == 'Q') p.whiteCanCastleLong = 1;
            else if (ch == 'k') p.blackCanCastleShort = 1;
            else if (ch == 'q') p.blackCanCastleLong = 1;
            else return "bad FEN castling rights";
        }
    }
    // The generator trusts a castling flag to mean king and rook at home.
    if (p.whiteKingSquare != 60) p.whiteCanCastleShort = p.whiteCanCastleLong = 0;
    if (p.squares[63] != 5) p.whiteCanCastleShort = 0;
    if (p.squares[56] != 5) p.whiteCanCastleLong = 0;
    if (p.blackKingSquare != 4) p.blackCanCastleShort = p.blackCanCastleLong = 0;
    if (p.squares[7] != -5) p.blackCanCastleShort = 0;
    if (p.squares[0] != -5) p.blackCanCastleLong = 0;

    if (fields.size() > 3 && fields[3] != "-") {
        const int passed = fields[3].size() == 2 ? ParseSquare(fields[3]) : -1;
        if (passed < 0) return "bad FEN en passant square";
        // The square of the pawn that made the double step; kept only when
        // that pawn is there and the squares it crossed are empty.
        if (!g.blackToMove && passed / 8 == 2 && p.squares[passed + 8] == -6 && p.squares[passed] == 0 &&
            p.squares[passed - 8] == 0)
            p.enPassantSquare = static_cast<std::int8_t>(passed + 8);
        if (g.blackToMove && passed / 8 == 5 && p.squares[passed - 8] == 6 && p.squares[passed] == 0 &&
            p.squares[passed + 8] == 0)
            p.enPassantSquare = static_cast<std::int8_t>(passed - 8);
    }
    g.halfmoveClock = 0;
    g.fullmoveNumber = 1;
    if (fields.size() > 4) {
        const auto n = ParseNumber(fields[4]);
        if (!n || *n < 0 || *n > 100000) return "bad FEN halfmove clock";
        g.halfmoveClock = static_cast<int>(*n);
    }
    if (fields.size() > 5) {
        const auto n = ParseNumber(fields[5]);
        if (!n || *n < 1 || *n > 100000) return "bad FEN move number";
        g.fullmoveNumber = static_cast<int>(*n);
    }
    if (fields.size() > 6) return "bad FEN: too many fields";

    WorkingPosition = p;
    const bool sideNotToMoveInCheck = g.blackToMove ? IsSquareAttacked(p.whiteKingSquare, 1, false)
                                                    : IsSquareAttacked(p.blackKingSquare, -1, false);
    if (sideNotToMoveInCheck) return "impossible position: the side not to move is in check";
    RecomputeScore();
    p = WorkingPosition;
    return {};
}


std::string ReadFen(std::string_view fen, Position& p, FenState& state) {
    return ReadFen(SplitWords(fen), p, state);
}
