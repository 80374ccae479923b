// The RPC UUID functions over libuuid. libuuid keeps the 16 bytes in network order, which
// is exactly the order the text form spells Data1..Data4 in.
#include <rpc.h>

#include <cstdlib>
#include <cstring>
#include <uuid/uuid.h>

namespace {

void toGuid(const uuid_t bytes, UUID& out) {
    out.Data1 = (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
                (std::uint32_t(bytes[2]) << 8) | bytes[3];
    out.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    out.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    std::memcpy(out.Data4, bytes + 8, 8);
}

void fromGuid(const UUID& in, uuid_t bytes) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(in.Data1 >> (24 - 8 * i));
    bytes[4] = static_cast<unsigned char>(in.Data2 >> 8);
    bytes[5] = static_cast<unsigned char>(in.Data2);
    bytes[6] = static_cast<unsigned char>(in.Data3 >> 8);
    bytes[7] = static_cast<unsigned char>(in.Data3);
    std::memcpy(bytes + 8, in.Data4, 8);
}

} // namespace

extern "C" {

RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid) {
    if (!Uuid) return RPC_S_INVALID_ARG;
    uuid_t bytes;
    uuid_generate_random(bytes);
    toGuid(bytes, *Uuid);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY UuidToStringA(UUID* Uuid, RPC_CSTR* StringUuid) {
    if (!StringUuid) return RPC_S_INVALID_ARG;
    uuid_t bytes = {};
    if (Uuid) fromGuid(*Uuid, bytes);
    char* text = static_cast<char*>(std::malloc(37));
    if (!text) return RPC_S_OUT_OF_MEMORY;
    uuid_unparse_lower(bytes, text);
    *StringUuid = reinterpret_cast<RPC_CSTR>(text);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY UuidFromStringA(RPC_CSTR StringUuid, UUID* Uuid) {
    if (!Uuid) return RPC_S_INVALID_ARG;
    uuid_t bytes = {};
    if (StringUuid) {
        const char* text = reinterpret_cast<const char*>(StringUuid);
        if (std::strlen(text) != 36 || uuid_parse(text, bytes) != 0)
            return RPC_S_INVALID_STRING_UUID;
    }
    toGuid(bytes, *Uuid);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY RpcStringFreeA(RPC_CSTR* String) {
    if (!String) return RPC_S_INVALID_ARG;
    std::free(*String);
    *String = nullptr;
    return RPC_S_OK;
}

} // extern "C"
