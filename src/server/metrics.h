// SPDX-License-Identifier: MIT
// /metrics in Prometheus' text format: runs by state, verification seconds, the queue's depth.
#pragma once

#include <string>

#include <pqxx/pqxx>

std::string metricsText(pqxx::connection& connection);
