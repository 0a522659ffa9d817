#include "cube/cube_data_helper.h"

namespace tavrel::test {

CubeData testData(const std::vector<TestClient>& clients, const std::vector<TestCheque>& cheques) {
    CubeDataBuilder builder;
    for (const TestClient& client : clients) {
        builder.addClient(client.code, client.name);
    }
    for (const TestCheque& cheque : cheques) {
        SourceRow row;
        row.cliente = cheque.cliente;
        row.status = cheque.status;
        row.troca = cheque.troca;
        row.deposito = cheque.deposito;
        row.documento = cheque.documento;
        row.taxa = cheque.taxa;
        row.dias = cheque.dias;
        row.measures.fill(0.0);
        row.measures[0] = cheque.valor;
        row.measures[3] = cheque.juros;
        builder.addCheque(row);
    }
    return builder.finish();
}

}  // namespace tavrel::test
