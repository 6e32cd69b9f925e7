-- The board: levels and sets of the pack, players, submitted runs and what they booked.
CREATE TABLE levels (
    sha256   text PRIMARY KEY,
    name     text NOT NULL,
    title    text,
    set_name text NOT NULL,
    par      real
);

CREATE TABLE set_levels (
    set_name text NOT NULL,
    position integer NOT NULL,
    sha256   text NOT NULL REFERENCES levels,
    PRIMARY KEY (set_name, position)
);

CREATE TABLE players (
    id         bigserial PRIMARY KEY,
    name       text NOT NULL,
    token_id   text NOT NULL UNIQUE,
    token_hash text NOT NULL,
    -- the submission rate's token bucket
    bucket     double precision NOT NULL,
    bucket_at  timestamptz NOT NULL DEFAULT now(),
    created    timestamptz NOT NULL DEFAULT now()
);
CREATE UNIQUE INDEX players_name ON players (lower(name));

CREATE TABLE runs (
    id             bigserial PRIMARY KEY,
    player_id      bigint NOT NULL REFERENCES players,
    replay         bytea NOT NULL,
    replay_sha256  text NOT NULL UNIQUE,
    state          text NOT NULL DEFAULT 'queued'
                   CHECK (state IN ('queued', 'verifying', 'accepted', 'rejected')),
    claim          text,
    lease_until    timestamptz,
    attempts       integer NOT NULL DEFAULT 0,
    verdict        text,
    verify_seconds double precision,
    submitted      timestamptz NOT NULL DEFAULT now(),
    verified       timestamptz
);
CREATE INDEX runs_open ON runs (id) WHERE state IN ('queued', 'verifying');

CREATE TABLE level_runs (
    run_id    bigint NOT NULL REFERENCES runs,
    position  integer NOT NULL,
    sha256    text NOT NULL REFERENCES levels,
    player_id bigint NOT NULL REFERENCES players,
    seconds   real NOT NULL,
    PRIMARY KEY (run_id, position)
);
CREATE INDEX level_runs_board ON level_runs (sha256, seconds, run_id);

CREATE TABLE set_runs (
    run_id    bigint PRIMARY KEY REFERENCES runs,
    set_name  text NOT NULL,
    player_id bigint NOT NULL REFERENCES players,
    total     real NOT NULL
);
CREATE INDEX set_runs_board ON set_runs (set_name, total, run_id);
