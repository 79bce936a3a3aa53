#include "window/Form.h"

void TForma::CreatePowerPage() {
}
