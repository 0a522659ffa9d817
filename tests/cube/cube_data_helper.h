#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "cube/cube_data.h"

namespace tavrel::test {

// A cheque of a small test source: text fields as stored, the cheque amount and the interest
// (the other measures are 0).
struct TestCheque {
    std::string cliente;
    std::string status;
    std::string troca = "2026-03-10";
    std::string deposito = "2026-04-10";
    std::optional<double> valor = 0.0;
    std::optional<double> juros = 0.0;
    std::string documento = "11111111111";
    std::optional<double> taxa = 3.5;
    std::optional<double> dias = 30;
};

struct TestClient {
    std::string code;
    QString name;
};

CubeData testData(const std::vector<TestClient>& clients, const std::vector<TestCheque>& cheques);

}  // namespace tavrel::test
