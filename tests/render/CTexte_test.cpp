// UTF-8 decoding of the strings text is drawn from: every malformed
// sequence reads as the replacement character and decoding goes on after it.

#include "render/CTexte.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint32_t> decode(const std::string& s)
{
    std::vector<uint32_t> r;
    const char* p = s.data();
    const char* fin = p + s.size();
    while (p < fin)
        r.push_back(lisCaractereUtf8(p, fin));
    return r;
}

const uint32_t Q = CARACTERE_REMPLACEMENT;

}

TEST(DecodageUtf8, ValidSequencesOfEveryLengthDecode)
{
    EXPECT_EQ(decode("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x7F"),
              (std::vector<uint32_t>{'A', 0xE9, 0x20AC, 0x1F600, 0x7F}));
    // The ends of each range.
    EXPECT_EQ(decode("\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF"),
              (std::vector<uint32_t>{0x80, 0x7FF, 0x800, 0xFFFF, 0x10FFFF}));
}

TEST(DecodageUtf8, MalformedSequencesGiveOneReplacementAndDecodingResumes)
{
    struct Cas {
        const char* nom;
        std::string octets;
        std::vector<uint32_t> attendu;
    };
    const std::vector<Cas> cas = {
        {"stray continuation", "\x80" "a\xBF", {Q, 'a', Q}},
        {"truncated at the end", "a\xC3", {'a', Q}},
        {"truncated by an ASCII byte", "\xE2\x82" "b", {Q, 'b'}},
        {"truncated by a new lead", "\xF0\x9F\xC3\xA9", {Q, 0xE9}},
        {"overlong two bytes", "\xC0\xAF\xC1\x81", {Q, Q, Q, Q}},
        {"overlong three bytes", "\xE0\x80\xAF" "c", {Q, 'c'}},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", {Q}},
        {"surrogate", "\xED\xA0\x80" "d", {Q, 'd'}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {Q}},
        {"bytes F5 to FF", "\xF5\xFE\xFF" "e", {Q, Q, Q, 'e'}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(decode(c.octets), c.attendu) << c.nom;
    // A lone lead byte at the very end reads nothing past the end.
    std::string s = "\xE2";
    const char* p = s.data();
    EXPECT_EQ(lisCaractereUtf8(p, p + 1), Q);
    EXPECT_EQ(p, s.data() + 1);
}
