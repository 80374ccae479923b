#pragma once
// The RPC runtime's UUID functions: random (version 4) identifiers and their 36-character
// lower-case text form.

#include <windows.h>

#define RPC_ENTRY

typedef LONG RPC_STATUS;
typedef unsigned char* RPC_CSTR;

#ifndef GUID_DEFINED
#define GUID_DEFINED
// Data1..Data3 are numbers (stored in the machine's byte order); the text form prints them
// most significant digit first, then Data4 byte by byte.
typedef struct _GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    unsigned char Data4[8];
} GUID;
#endif
typedef GUID UUID;

#define RPC_S_OK 0L
#define RPC_S_OUT_OF_MEMORY 14L
#define RPC_S_INVALID_ARG 87L
#define RPC_S_INVALID_STRING_UUID 1705L
#define RPC_S_UUID_LOCAL_ONLY 1824L

extern "C" {

RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid);
// *StringUuid receives text that RpcStringFreeA releases; a null UUID is the nil UUID.
// Declared with a non-const UUID, as the Windows headers declare it.
RPC_STATUS RPC_ENTRY UuidToStringA(UUID* Uuid, RPC_CSTR* StringUuid);
// A null string gives the nil UUID; text must be exactly 8-4-4-4-12 hexadecimal digits.
RPC_STATUS RPC_ENTRY UuidFromStringA(RPC_CSTR StringUuid, UUID* Uuid);
RPC_STATUS RPC_ENTRY RpcStringFreeA(RPC_CSTR* String);

} // extern "C"
