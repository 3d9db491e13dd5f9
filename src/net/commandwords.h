#pragma once
// The command words of the game's messages, each spelt once. The builders in zb::msg, the host's
// and the table's dispatch tables and the fuzz targets all use these, so a word can never differ
// between the side that sends it and the side that listens for it. Several words travel in both
// directions with different fields (CMD_chat, CMD_startgame, CMD_setdice ...); the word is the
// same either way.

namespace zb::proto::word {

// Both directions.
inline constexpr char chat[] = "CMD_chat";
inline constexpr char action[] = "CMD_action";
inline constexpr char playasound[] = "CMD_playasound";
inline constexpr char startgame[] = "CMD_startgame";
inline constexpr char setdice[] = "CMD_setdice";
inline constexpr char unsetdice[] = "CMD_unsetdice";

// Table to host.
inline constexpr char logininfo[] = "CMD_logininfo";
inline constexpr char kickhim[] = "CMD_kickhim";
inline constexpr char justwatch[] = "CMD_justwatch";
inline constexpr char rolldice[] = "CMD_rolldice";
inline constexpr char setscore[] = "CMD_setscore";
inline constexpr char botspeed[] = "CMD_botspeed";

// Host to tables.
inline constexpr char sendlogininfo[] = "CMD_sendlogininfo";
inline constexpr char full[] = "CMD_full";
inline constexpr char newplayerinfo[] = "CMD_newplayerinfo";
inline constexpr char existingplayers[] = "CMD_existingplayers";
inline constexpr char havewrongversion[] = "CMD_havewrongversion";
inline constexpr char wrongversion[] = "CMD_wrongversion";
inline constexpr char playerdisconnected[] = "CMD_playerdisconnected";
inline constexpr char setbonusdice[] = "CMD_setbonusdice";
inline constexpr char nextplayer[] = "CMD_nextplayer";
inline constexpr char thedice[] = "CMD_thedice";
inline constexpr char rollagain[] = "CMD_rollagain";
inline constexpr char chooseagain[] = "CMD_chooseagain";
inline constexpr char pscore[] = "CMD_pscore";
inline constexpr char justwatching[] = "CMD_justwatching";
inline constexpr char winner[] = "CMD_winner";

} // namespace zb::proto::word
