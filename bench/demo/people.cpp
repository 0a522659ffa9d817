#include "demo/people.h"

#include <QStringList>

namespace tavrel::demo {
namespace {

const QList<QString> kFirstNames = {
    "Ana",      "Maria",   "José",    "João",    "Antônio",  "Francisco", "Carlos",  "Paulo",
    "Pedro",    "Lucas",   "Luiz",    "Marcos",  "Luís",     "Gabriel",   "Rafael",  "Daniel",
    "Marcelo",  "Bruno",   "Eduardo", "Felipe",  "Raimundo", "Rodrigo",   "Juliana", "Fernanda",
    "Patrícia", "Aline",   "Sandra",  "Camila",  "Amanda",   "Bruna",     "Jéssica", "Letícia",
    "Júlia",    "Luciana", "Vanessa", "Mariana", "Adriana",  "Márcia",    "Cláudia", "Renata"};
const QList<QString> kMiddleNames = {"Aparecida", "Cristina", "Carlos", "Eduardo", "Henrique",
                                     "Augusto",   "Helena",   "Regina", "Luiz",    "Paulo"};
const QList<QString> kSurnames = {
    "Silva",   "Santos",     "Oliveira", "Souza",     "Rodrigues", "Ferreira", "Alves",
    "Pereira", "Lima",       "Gomes",    "Costa",     "Ribeiro",   "Martins",  "Carvalho",
    "Almeida", "Lopes",      "Soares",   "Fernandes", "Vieira",    "Barbosa",  "Rocha",
    "Dias",    "Nascimento", "Andrade",  "Moreira",   "Nunes",     "Marques",  "Machado",
    "Mendes",  "Freitas",    "Cardoso",  "Ramos",     "Gonçalves", "Santana",  "Teixeira"};
const QList<QString> kTrades = {
    "Comercial",     "Supermercado", "Auto Peças",   "Materiais de Construção",
    "Distribuidora", "Farmácia",     "Padaria",      "Mercearia",
    "Confecções",    "Transportes",  "Agropecuária", "Papelaria",
    "Calçados",      "Móveis",       "Ótica"};
const QList<QString> kSuffixes = {"Ltda", "ME", "EPP", "Eireli", "S/A"};
const QList<QString> kStreets = {"Rua XV de Novembro",   "Av. Brasil",
                                 "Rua Sete de Setembro", "Rua das Flores",
                                 "Av. Getúlio Vargas",   "Rua Tiradentes",
                                 "Rua Marechal Deodoro", "Av. Independência",
                                 "Rua São Paulo",        "Rua Barão do Rio Branco"};
const QList<QString> kDistricts = {"Centro",     "Jardim América", "Vila Nova", "Santa Cruz",
                                   "Boa Vista",  "São José",       "Vila Rica", "Jardim Europa",
                                   "Industrial", "Alto da Glória"};
const QList<QString> kCities = {"São Paulo - SP",  "Campinas - SP",     "Ribeirão Preto - SP",
                                "Sorocaba - SP",   "Santos - SP",       "Belo Horizonte - MG",
                                "Uberlândia - MG", "Curitiba - PR",     "Londrina - PR",
                                "Goiânia - GO",    "Porto Alegre - RS", "Salvador - BA"};

QString digits(Random& random, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QChar(u'0' + random.between(0, 9));
    }
    return text;
}

int checkDigit(const QString& base, const QList<int>& weights) {
    int sum = 0;
    for (int i = 0; i < weights.size(); ++i) {
        sum += base[i].digitValue() * weights[i];
    }
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

const QList<int> kCpf1 = {10, 9, 8, 7, 6, 5, 4, 3, 2};
const QList<int> kCpf2 = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
const QList<int> kCnpj1 = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
const QList<int> kCnpj2 = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

QString withCheckDigits(QString base, const QList<int>& first, const QList<int>& second) {
    base += QChar(u'0' + checkDigit(base, first));
    base += QChar(u'0' + checkDigit(base, second));
    return base;
}

}  // namespace

QString randomCpf(Random& random) {
    return withCheckDigits(digits(random, 9), kCpf1, kCpf2);
}

QString randomCnpj(Random& random) {
    // Eight digits of the company, "0001" for the head office.
    return withCheckDigits(digits(random, 8) + QStringLiteral("0001"), kCnpj1, kCnpj2);
}

bool documentCheckDigitsValid(const QString& text) {
    if (text.size() == 11) {
        return withCheckDigits(text.left(9), kCpf1, kCpf2) == text;
    }
    if (text.size() == 14) {
        return withCheckDigits(text.left(12), kCnpj1, kCnpj2) == text;
    }
    return false;
}

QString personName(Random& random) {
    QStringList parts = {random.pick(kFirstNames)};
    if (random.chance(0.5)) {
        parts << random.pick(kMiddleNames);
    }
    if (random.chance(0.3)) {
        parts << (random.chance(0.5) ? QStringLiteral("da") : QStringLiteral("dos"));
    }
    parts << random.pick(kSurnames);
    return parts.join(QLatin1Char(' '));
}

QString companyName(Random& random) {
    return QStringLiteral("%1 %2 %3")
        .arg(random.pick(kTrades), random.pick(kSurnames), random.pick(kSuffixes));
}

QString phoneNumbers(Random& random) {
    const int ddd = random.between(11, 99);
    QString text = QStringLiteral("(%1) %2-%3").arg(ddd).arg(digits(random, 4), digits(random, 4));
    if (random.chance(0.6)) {
        text += QStringLiteral(" / (%1) 9%2-%3").arg(ddd).arg(digits(random, 4), digits(random, 4));
    }
    return text;
}

QString streetAddress(Random& random) {
    return QStringLiteral("%1, %2").arg(random.pick(kStreets)).arg(random.between(10, 3999));
}

QString district(Random& random) {
    return random.pick(kDistricts);
}

QString city(Random& random) {
    return random.pick(kCities);
}

}  // namespace tavrel::demo
