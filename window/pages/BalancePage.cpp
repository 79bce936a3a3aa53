#include "window/Form.h"

void TForma::CreateBalancePage() {
}
