-- A notifier for games: says so when someone joins playing a game rather than using a chat client,
-- and every few minutes tells how many members play each game.
--
--   [Announcer]
--   Minutes=15        how often the count is said; 0 says it never

local games = {
  ["[STAR]"] = "StarCraft",
  ["[SEXP]"] = "StarCraft: Brood War",
  ["[W2BN]"] = "WarCraft II",
  ["[DRTL]"] = "Diablo",
  ["[D2DV]"] = "Diablo II",
  ["[D2XP]"] = "Diablo II: Lord of Destruction",
  ["[WAR3]"] = "WarCraft III",
  ["[W3XP]"] = "WarCraft III: The Frozen Throne",
}

function on_join(name, flags, product)
  local game = games[product]
  if game then bot.say(name .. " has arrived playing " .. game .. ".") end
end

local function count_players()
  local counts, names = {}, {}
  for _, member in ipairs(bot.members()) do
    local game = games[member.product]
    if game then
      if not counts[game] then names[#names + 1] = game end
      counts[game] = (counts[game] or 0) + 1
    end
  end
  if #names == 0 then return end
  table.sort(names)
  local parts = {}
  for _, game in ipairs(names) do parts[#parts + 1] = counts[game] .. " " .. game end
  bot.say("Playing here now: " .. table.concat(parts, ", ") .. ".")
end

local minutes = tonumber(bot.setting("Announcer", "Minutes") or "15") or 15
if minutes > 0 then bot.timer(minutes * 60000, count_players) end
