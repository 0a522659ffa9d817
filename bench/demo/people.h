#pragma once

#include <QString>

#include "demo/random.h"

namespace tavrel::demo {

// Made-up but well-formed Brazilian people, companies, documents and addresses.

// 11 digits with valid check digits, as an operator types it (digits only).
QString randomCpf(Random& random);
// 14 digits with valid check digits.
QString randomCnpj(Random& random);
// True when the check digits of a CPF (11 digits) or CNPJ (14 digits) are right.
bool documentCheckDigitsValid(const QString& digits);

QString personName(Random& random);   // "Maria Aparecida Souza"
QString companyName(Random& random);  // "Comercial Oliveira Ltda"
QString phoneNumbers(Random& random);
QString streetAddress(Random& random);
QString district(Random& random);
QString city(Random& random);

}  // namespace tavrel::demo
