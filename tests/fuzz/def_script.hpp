#pragma once

#include <squirrel.h>

#include <span>

#include "fuzz/def_stream.hpp"

// Puts the defs of a definition target's input into the script VM's definition tables.
namespace tarn::fuzz {

void push_value(HSQUIRRELVM vm, const DefValue& value, const DefVocabulary& vocabulary);

// Pushes a new table holding slots.
inline void push_table(HSQUIRRELVM vm, const std::vector<DefSlot>& slots,
                       const DefVocabulary& vocabulary) {
    sq_newtable(vm);
    for (const DefSlot& slot : slots) {
        sq_pushstring(vm, slot.key.data(), static_cast<SQInteger>(slot.key.size()));
        push_value(vm, slot.value, vocabulary);
        sq_rawset(vm, -3);
    }
}

inline void push_value(HSQUIRRELVM vm, const DefValue& value, const DefVocabulary& vocabulary) {
    switch (value.kind) {
        case DefValue::kNull:
            sq_pushnull(vm);
            break;
        case DefValue::kBool:
            sq_pushbool(vm, value.integer != 0 ? SQTrue : SQFalse);
            break;
        case DefValue::kInteger:
        case DefValue::kSmallInteger:
            sq_pushinteger(vm, value.integer);
            break;
        case DefValue::kFloat:
            sq_pushfloat(vm, value.real);
            break;
        case DefValue::kWord:
            sq_pushstring(vm, vocabulary.words[static_cast<std::size_t>(value.integer)], -1);
            break;
        case DefValue::kString:
            sq_pushstring(vm, value.text.data(), static_cast<SQInteger>(value.text.size()));
            break;
        case DefValue::kArray:
            sq_newarray(vm, 0);
            for (const DefValue& item : value.items) {
                push_value(vm, item, vocabulary);
                sq_arrayappend(vm, -2);
            }
            break;
        case DefValue::kTable:
            push_table(vm, value.slots, vocabulary);
            break;
    }
}

// Pushes the root table's slot name.
inline void push_root_slot(HSQUIRRELVM vm, const char* name) {
    sq_pushroottable(vm);
    sq_pushstring(vm, name, -1);
    sq_rawget(vm, -2);
    sq_remove(vm, -2);
}

// Stores the entry under its name in the root table's definition table.
inline void define(HSQUIRRELVM vm, const char* table, const DefEntry& entry,
                   const DefVocabulary& vocabulary) {
    const SQInteger top = sq_gettop(vm);
    push_root_slot(vm, table);
    sq_pushstring(vm, kDefNames[entry.name], -1);
    push_table(vm, entry.slots, vocabulary);
    sq_rawset(vm, -3);
    sq_settop(vm, top);
}

inline void clear_defs(HSQUIRRELVM vm, std::span<const char* const> tables) {
    for (const char* table : tables) {
        push_root_slot(vm, table);
        sq_clear(vm, -1);
        sq_pop(vm, 1);
    }
}

}  // namespace tarn::fuzz
