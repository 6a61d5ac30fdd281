#pragma once

// When MCI last accepted a play that the player sent, on the clock of Now().
double LastPlayAcceptedAt();
