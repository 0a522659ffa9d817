#pragma once

namespace tavrel::maker_contact {

// How to reach the program's maker, shown on the contact and tutorial screens and the financial
// report screens. Placeholders (the .example domain is reserved) until the business that
// delivers the program writes its own here: this is the only place that holds them.
inline constexpr const char* kTelefone = "(11) 0000-0000";
inline constexpr const char* kEmail = "contato@tavrel.example";
inline constexpr const char* kEmailSugestoes = "sugestoes@tavrel.example";
inline constexpr const char* kEmailSuporte = "suporte@tavrel.example";
inline constexpr const char* kForum = "https://forum.tavrel.example";

}  // namespace tavrel::maker_contact
