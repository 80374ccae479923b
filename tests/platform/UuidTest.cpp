#include <rpc.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

std::string text(UUID id) {
    RPC_CSTR s = nullptr;
    EXPECT_EQ(UuidToStringA(&id, &s), RPC_S_OK);
    std::string out(reinterpret_cast<char*>(s));
    EXPECT_EQ(RpcStringFreeA(&s), RPC_S_OK);
    EXPECT_EQ(s, nullptr);
    return out;
}

RPC_STATUS parse(const char* s, UUID& id) {
    return UuidFromStringA(reinterpret_cast<RPC_CSTR>(const_cast<char*>(s)), &id);
}

bool same(const UUID& a, const UUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Uuid, TextFormSpellsTheFieldsInOrder) {
    const UUID id = {0x0123abcd, 0x4567, 0x89ef, {0xfe, 0xdc, 0xba, 0x98, 0x76, 0x54, 0x32, 0x10}};
    EXPECT_EQ(text(id), "0123abcd-4567-89ef-fedc-ba9876543210");
    UUID back{};
    ASSERT_EQ(parse("0123ABCD-4567-89EF-FEDC-BA9876543210", back), RPC_S_OK);
    EXPECT_TRUE(same(back, id));
}

TEST(Uuid, CreatedIdsAreRandomVersion4AndRoundTrip) {
    std::set<std::string> seen;
    for (int i = 0; i < 2000; ++i) {
        UUID id{};
        ASSERT_EQ(UuidCreate(&id), RPC_S_OK);
        EXPECT_EQ(id.Data3 >> 12, 4);
        EXPECT_EQ(id.Data4[0] & 0xC0, 0x80);
        const std::string s = text(id);
        ASSERT_EQ(s.size(), 36u);
        EXPECT_EQ(s.find_first_not_of("0123456789abcdef-"), std::string::npos) << s;
        UUID back{};
        ASSERT_EQ(parse(s.c_str(), back), RPC_S_OK);
        EXPECT_TRUE(same(back, id)) << s;
        seen.insert(s);
    }
    EXPECT_EQ(seen.size(), 2000u);
}

TEST(Uuid, BadTextIsRefusedAndLeavesTheIdAlone) {
    const UUID original = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    for (const char* bad :
         {"", "0123abcd-4567-89ef-fedc-ba987654321", "0123abcd-4567-89ef-fedc-ba98765432100",
          "0123abcd-4567-89ef-fedc-ba987654321g", "0123abcd_4567-89ef-fedc-ba9876543210",
          "{0123abcd-4567-89ef-fedc-ba98765432}"}) {
        UUID id = original;
        EXPECT_EQ(parse(bad, id), RPC_S_INVALID_STRING_UUID) << bad;
        EXPECT_TRUE(same(id, original)) << bad;
    }
}

TEST(Uuid, NullTextIsTheNilId) {
    UUID id = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    ASSERT_EQ(UuidFromStringA(nullptr, &id), RPC_S_OK);
    EXPECT_EQ(text(id), "00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(UuidCreate(nullptr), RPC_S_INVALID_ARG);
    EXPECT_EQ(UuidToStringA(&id, nullptr), RPC_S_INVALID_ARG);
}

} // namespace
