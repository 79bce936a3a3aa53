#include "window/Form.h"

void TForma::CreateShemPage() {
}
