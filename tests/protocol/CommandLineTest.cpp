#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"

#include <gtest/gtest.h>

#include <set>

using namespace tavin;

TEST(Vocabulary, EveryMnemonicIsUniqueAndWellFormed) {
    std::set<std::string_view> seen;
    for (const auto& e : Vocabulary()) {
        EXPECT_TRUE(seen.insert(e.mnemonic).second) << e.mnemonic;
        if (e.mnemonic != mn::ConfigDefault) {
            EXPECT_EQ(e.mnemonic.size(), e.rowPrefix ? 2u : 3u) << e.mnemonic;
        }
    }
    EXPECT_TRUE(FindMnemonic("TCH"));
    EXPECT_FALSE(FindMnemonic("tch"));
    EXPECT_EQ(FindMnemonic("SS")->area, VocabArea::SDI12);
    EXPECT_TRUE(FindMnemonic("TDP")->forms & kFormBulk);
}

TEST(CommandLine, Builders) {
    EXPECT_EQ(QueryCmd(mn::TCH), "TCH?");
    EXPECT_EQ(SetCmd(mn::TCH, {"95", "300"}), "TCH=95,300");
    EXPECT_EQ(SetCmd(mn::TDP, std::vector<std::string>{}), "TDP=");
    EXPECT_EQ(ActionCmd(mn::CFS), "CFS");
    EXPECT_EQ(RowSetCmd(mn::SS, 3, {"0", "M"}), "SS3=0,M");
    EXPECT_EQ(BulkQueryCmd(mn::SSX), "SSX=*?");
    EXPECT_EQ(BulkQueryCmd(mn::SS), "SS*?");
    EXPECT_EQ(BulkQueryCmd(mn::IM), "IM*?");
    EXPECT_EQ(BulkQueryCmd(mn::TDP), "TDP=*?");
    EXPECT_EQ(ClearCmd(mn::EQN), "EQN=CLEAR");
    EXPECT_EQ(ClearCmd(mn::SL), "SL*=CLEAR");
}

TEST(CommandLine, QuotedTexts) {
    EXPECT_EQ(QuoteText("a,b"), "\"a,b\"");
    EXPECT_EQ(QuoteText("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(UnquoteText("\"say \"\"hi\"\"\""), "say \"hi\"");
    EXPECT_EQ(UnquoteText("plain"), "plain");
    EXPECT_EQ(UnquoteText("\"unterminated"), "unterminated");
    EXPECT_EQ(UnquoteText("\""), "");
    for (const char* t : {"", "a", "\"", "\"\"", "x,\"y\",z"}) {
        EXPECT_EQ(UnquoteText(QuoteText(t)), t);
    }
}

TEST(CommandLine, RealsInShortestPlainForm) {
    const std::pair<double, const char*> cases[] = {
        {7.5, "7.5"},   {10, "10"},           {0.1, "0.1"},         {1, "1"},
        {0.02, "0.02"}, {-0.5, "-0.5"},       {0.00001, "0.00001"}, {1e20, "100000000000000000000"},
        {-0.0, "0"},    {123.456, "123.456"},
    };
    for (const auto& [v, text] : cases) {
        EXPECT_EQ(FormatReal(v), text);
    }
}

TEST(ReplyGrammar, Classify) {
    struct Case {
        const char* line;
        const char* last;
        ReplyKind kind;
    };
    const Case cases[] = {
        {"", "", ReplyKind::Empty},
        {">", "", ReplyKind::Prompt},
        {"OK", "", ReplyKind::Ok},
        {"ERR", "", ReplyKind::Err},
        {"INV", "", ReplyKind::Inv},
        {"TCH?", "TCH?", ReplyKind::Echo},
        {"TCH?", "", ReplyKind::Echo},
        {"SS*?", "", ReplyKind::Echo},
        {"TCH=95,300", "TCH=95,300", ReplyKind::Echo},
        {"TCH=95,300", "TCH?", ReplyKind::SetForm},
        {"SS12=0,M,1", "", ReplyKind::SetForm},
        {"SSX=12,0,M", "", ReplyKind::SetForm},
        {"CFS", "", ReplyKind::Echo},
        {"SerialNumber: 1234", "", ReplyKind::Keyword},
        {"TIM=12:00:00", "", ReplyKind::SetForm},
        {"garbage \x01\xFF", "", ReplyKind::Other},
        {"> ", "", ReplyKind::Other},
        {"OK ", "", ReplyKind::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyReply(c.line, c.last), c.kind) << "'" << c.line << "'";
    }
}

TEST(ReplyGrammar, PrefixTestsAndWords) {
    EXPECT_TRUE(IsSetFormOf("TCH=95,300", mn::TCH));
    EXPECT_FALSE(IsSetFormOf("TCH?", mn::TCH));
    EXPECT_FALSE(IsSetFormOf("TCH", mn::TCH));
    EXPECT_TRUE(IsTableLineOf("TDP=1,S,1", mn::TDP));
    EXPECT_FALSE(IsTableLineOf("TDP=*?", mn::TDP));
    EXPECT_EQ(ReplyWord(2, "TCH=95,300"), "95");
    EXPECT_EQ(ReplyWord(3, "TCH=95,300"), "300");
    EXPECT_EQ(KeywordValue("SerialNumber: 1234"), " 1234");
    EXPECT_EQ(KeywordValue("Time: 12:00:00"), " 12:00:00");
    EXPECT_EQ(KeywordValue("none"), "");
    EXPECT_EQ(LeadingMnemonic("SS12=0"), "SS");
    EXPECT_EQ(LeadingMnemonic("SSX=0"), "SSX");
    EXPECT_EQ(LeadingMnemonic("SSN=10"), "SSN");
    EXPECT_EQ(LeadingMnemonic("XYZ=1"), "");
    EXPECT_EQ(LeadingMnemonic("S"), "");
    EXPECT_EQ(LeadingMnemonic("ConfigDefault"), "ConfigDefault");
}
